// What the reader makes of single lines: the classification that the loader and the
// lint tool share.

#include <gtest/gtest.h>

#include <string>

#include "config/config_line.h"

namespace kelvane {
namespace {

struct LineCase {
    const char* name;
    const char* line;
    LineKind kind;
    const char* key;
    float value;  // when kind is Setting
};

class ConfigLineKind : public testing::TestWithParam<LineCase> {};

TEST_P(ConfigLineKind, SaysWhatTheReaderDoesWithTheLine) {
    const ConfigLine read = ReadConfigLine(GetParam().line);
    EXPECT_EQ(read.kind, GetParam().kind) << '"' << GetParam().line << '"';
    EXPECT_EQ(read.key, GetParam().key);
    if (GetParam().kind == LineKind::Setting) {
        EXPECT_EQ(read.value, GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ConfigLineKind,
    testing::Values(
        LineCase{"Plain", "Train.SpeedForward = 40.0", LineKind::Setting, "Train.SpeedForward", 40.0f},
        LineCase{"BlanksAndComment", "  Train.Seat\t=  1 ; right seat \r", LineKind::Setting, "Train.Seat", 1.0f},
        LineCase{"LettersAfterTheNumber", "Train.Braking = 40abc", LineKind::Setting, "Train.Braking", 40.0f},
        LineCase{"SecondEquals", "Tram.Braking = 22 = 60", LineKind::Setting, "Tram.Braking", 22.0f},
        LineCase{"Empty", "", LineKind::Blank, "", 0},
        LineCase{"WhiteSpace", " \t\r", LineKind::Blank, "", 0},
        LineCase{"Comment", "; Train.SpeedForward = 10", LineKind::Comment, "", 0},
        LineCase{"ShortComment", ";", LineKind::Comment, "", 0},
        LineCase{"Section", "[Tram] Train.SpeedForward = 10", LineKind::Section, "", 0},
        LineCase{"TooShort", "a=", LineKind::TooShort, "", 0},
        LineCase{"NoEquals", "Train.SpeedForward 40", LineKind::NoEquals, "Train.SpeedForward 40", 0},
        LineCase{"CaseDiffers", "train.speedforward = 50", LineKind::NotAKey, "train.speedforward", 0},
        LineCase{"NoKeyBeforeEquals", "= 5", LineKind::NotAKey, "", 0},
        LineCase{"NothingAfterEquals", "Train.SpeedForward = ", LineKind::NothingAfterEquals, "Train.SpeedForward", 0},
        LineCase{"OnlyAComment", "Train.SpeedForward = ;30", LineKind::NotANumber, "Train.SpeedForward", 0},
        LineCase{"Word", "Display.Speed = yes", LineKind::NotANumber, "Display.Speed", 0},
        LineCase{"BeyondDouble", "Train.SpeedForward = 1e999", LineKind::OutOfRange, "Train.SpeedForward", 0},
        LineCase{"BeyondFloat", "Train.SpeedForward = -1e39", LineKind::OutOfRange, "Train.SpeedForward", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConfigLine, KeepsTheValueTextAndHowMuchOfItIsTheNumber) {
    const ConfigLine read = ReadConfigLine("Train.Acceleration = 40abc ; fast");
    EXPECT_EQ(read.valueText, "40abc");
    EXPECT_EQ(read.numberLength, 2u);
    EXPECT_FALSE(read.valueEndsAtEquals);
}

TEST(ConfigLine, NotesAValueCutOffByASecondEquals) {
    EXPECT_TRUE(ReadConfigLine("Tram.Braking = 22 = 60").valueEndsAtEquals);
    // A second "=" inside the inline comment is the comment's.
    EXPECT_FALSE(ReadConfigLine("Tram.Braking = 22 ; was = 60").valueEndsAtEquals);
}

TEST(ConfigLine, LayoutLinesAreBlankCommentAndSection) {
    for (const LineKind kind : {LineKind::Blank, LineKind::Comment, LineKind::Section}) EXPECT_TRUE(IsLayoutLine(kind));
    for (const LineKind kind : {LineKind::Setting, LineKind::TooShort, LineKind::NoEquals, LineKind::NotAKey,
                                LineKind::NothingAfterEquals, LineKind::NotANumber, LineKind::OutOfRange}) {
        EXPECT_FALSE(IsLayoutLine(kind));
    }
}

}  // namespace
}  // namespace kelvane
