#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "config/config_reader.h"
#include "config/number_text.h"
#include "config/settings.h"
#include "support/temp_folder.h"

namespace kelvane {
namespace {

using kelvane_test::TempFolder;
using kelvane_test::WriteFile;

class ConfigReader : public testing::Test {
protected:
    void SetUp() override { settings = Settings{}; }

    // The freight forward speed after loading the given file over a start value of 7.
    float ForwardSpeedFrom(const std::string& file) {
        WriteFile(ConfigFileName, file);
        settings.SpeedForward[Freight] = 7.0f;
        LoadSettings();
        return settings.SpeedForward[Freight];
    }

    TempFolder folder;
};

struct LineCase {
    const char* file;
    float expected;  // 7 means the start value stayed
};

class ReadNumberLine : public ConfigReader, public testing::WithParamInterface<LineCase> {};

TEST_P(ReadNumberLine, LoadsWhatTheLineSays) {
    EXPECT_EQ(ForwardSpeedFrom(GetParam().file), GetParam().expected) << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReadNumberLine,
    testing::Values(
        LineCase{"Train.SpeedForward=50\n", 50.0f},
        LineCase{"  \t Train.SpeedForward   =   50   ; fast\n", 50.0f},
        LineCase{"train.speedforward = 50\n", 7.0f},             // case differs
        LineCase{"Train.SpeedForward = 50 = 60\n", 50.0f},       // value ends at the next =
        LineCase{"Train.SpeedForward = 5e1\n", 50.0f},
        LineCase{"Train.SpeedForward = 1e999\n", 7.0f},          // beyond the double range
        LineCase{"Train.SpeedForward = fast\n", 7.0f},
        LineCase{"Train.SpeedForward =\n", 7.0f},                // nothing after =
        LineCase{"Train.SpeedForward = \n", 7.0f},               // only blanks after = (trimmed away)
        LineCase{"Train.SpeedForward\n", 7.0f},                  // no =
        LineCase{"; Train.SpeedForward = 10\n", 7.0f},           // comment
        LineCase{"[Tram] Train.SpeedForward = 10\n", 7.0f},      // begins with [
        LineCase{"Train.SpeedForward = 30\nTrain.SpeedForward = 35\n", 35.0f},  // last valid line wins
        LineCase{"Train.SpeedForward = 30\nTrain.SpeedForward = x\n", 30.0f},
        LineCase{"Train.SpeedForward = ;30\n", 7.0f},            // all comment
        LineCase{"Train.SpeedForward = 30;40\n", 30.0f},
        LineCase{"Train.SpeedForwardX = 30\n", 7.0f},            // another key
        LineCase{"Train.Speed Forward = 30\n", 7.0f},
        LineCase{"[Tram]\nTrain.SpeedForward = 30\n", 30.0f},    // sections are not tracked
        LineCase{"Train.SpeedForward = 30", 30.0f},              // last line without a line end
        LineCase{"Train.SpeedForward = 30\r\n", 30.0f},          // CR LF line ends
        LineCase{"Train.SpeedForward = 30\r\nTram.SpeedForward = 5\r\n", 30.0f},
        LineCase{"", 7.0f},
        LineCase{"; only\n; comments\n", 7.0f},
        LineCase{"=5\n", 7.0f},
        // A number beyond the 32-bit float range is out of range; a tiny one becomes
        // what narrowing makes of it.
        LineCase{"Train.SpeedForward = 1e39\n", 7.0f},
        LineCase{"Train.SpeedForward = -1e39\n", 7.0f},
        LineCase{"Train.SpeedForward = 3.4028234e38\n", 3.4028234e38f},
        LineCase{"Train.SpeedForward = 1e-50\n", 0.0f},
        LineCase{"Train.SpeedForward = -1e-50\n", -0.0f}));

struct NumberCase {
    const char* text;
    std::optional<float> number;  // nothing: no number, or one out of range
    bool outOfRange = false;
};

class LeadingNumberTest : public testing::TestWithParam<NumberCase> {};

TEST_P(LeadingNumberTest, ReadsTheLongestDecimalNumberAtTheStart) {
    const LeadingNumber read = ReadLeadingNumber(GetParam().text);
    const NumberStatus expected = GetParam().number       ? NumberStatus::Number
                                  : GetParam().outOfRange ? NumberStatus::OutOfRange
                                                          : NumberStatus::NoNumber;
    ASSERT_EQ(read.status, expected) << '"' << GetParam().text << '"';
    if (GetParam().number) {
        EXPECT_EQ(read.value, *GetParam().number) << '"' << GetParam().text << '"';
    }
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, LeadingNumberTest,
    testing::Values(NumberCase{"40", 40.0f}, NumberCase{"40abc", 40.0f}, NumberCase{"  -2.5", -2.5f},
                    NumberCase{"+3", 3.0f}, NumberCase{".5", 0.5f}, NumberCase{"5.", 5.0f},
                    NumberCase{"-.25x", -0.25f}, NumberCase{"1e", 1.0f}, NumberCase{"1e+", 1.0f},
                    NumberCase{"1e-", 1.0f}, NumberCase{"2E2", 200.0f}, NumberCase{"1.5e-1z", 0.15f},
                    NumberCase{"1e2.5", 100.0f}, NumberCase{"0x10", 0.0f}, NumberCase{"1,5", 1.0f},
                    NumberCase{"007", 7.0f}, NumberCase{"0.88", 0.88f}, NumberCase{"", std::nullopt},
                    NumberCase{".", std::nullopt}, NumberCase{"-", std::nullopt}, NumberCase{"+-1", std::nullopt},
                    NumberCase{"e5", std::nullopt}, NumberCase{"inf", std::nullopt},
                    NumberCase{"-infinity", std::nullopt}, NumberCase{"nan", std::nullopt},
                    NumberCase{"NaN(1)", std::nullopt}, NumberCase{"1e999", std::nullopt, true},
                    NumberCase{"-1e999", std::nullopt, true}, NumberCase{"1e39", std::nullopt, true}));

struct LengthCase {
    const char* name;
    const char* text;
    std::size_t length;
};

class LeadingNumberLength : public testing::TestWithParam<LengthCase> {};

TEST_P(LeadingNumberLength, CountsTheCharactersOfTheNumber) {
    EXPECT_EQ(ReadLeadingNumber(GetParam().text).length, GetParam().length) << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberLength,
                         testing::Values(LengthCase{"Digits", "40", 2}, LengthCase{"LettersAfter", "40abc", 2},
                                         LengthCase{"LeadingBlanksAndSign", "  -2.5", 6},
                                         LengthCase{"ExponentWithoutDigits", "1e", 1},
                                         LengthCase{"SignedExponent", "1e+5x", 4},
                                         LengthCase{"FractionalExponent", "1e2.5", 3},
                                         LengthCase{"HexPrefix", "0x10", 1}, LengthCase{"OutOfRange", "1e999", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FlagCase {
    const char* value;
    bool startValue;
    bool expected;
};

class ReadFlag : public ConfigReader, public testing::WithParamInterface<FlagCase> {};

TEST_P(ReadFlag, IsTrueExactlyWhenTheNumberIsOne) {
    WriteFile(ConfigFileName, std::string("Display.Speed = ") + GetParam().value + "\n");
    settings.Display.Speed = GetParam().startValue;
    LoadSettings();
    EXPECT_EQ(settings.Display.Speed, GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, ReadFlag,
                         testing::Values(FlagCase{"1", false, true}, FlagCase{"1.0", false, true},
                                         FlagCase{"1e0", false, true}, FlagCase{"0", true, false},
                                         FlagCase{"2", true, false}, FlagCase{"0.99", true, false},
                                         FlagCase{"-1", true, false}, FlagCase{"yes", true, true},
                                         FlagCase{"yes", false, false}));

struct IntegerCase {
    const char* line;
    int expected;
};

class ReadInteger : public ConfigReader, public testing::WithParamInterface<IntegerCase> {};

TEST_P(ReadInteger, TruncatesTowardZeroAndSaturates) {
    WriteFile(ConfigFileName, std::string(GetParam().line) + "\n");
    settings.Train.Seat = 5;
    settings.Displays.Position = 5;
    LoadSettings();
    const int loaded = std::string(GetParam().line).starts_with("Train.Seat") ? settings.Train.Seat
                                                                               : settings.Displays.Position;
    EXPECT_EQ(loaded, GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(Values, ReadInteger,
                         testing::Values(IntegerCase{"Train.Seat = 1.9", 1}, IntegerCase{"Displays.Position = -0.5", 0},
                                         IntegerCase{"Displays.Position = 2", 2},
                                         IntegerCase{"Displays.Position = -2.7", -2},
                                         IntegerCase{"Displays.Position = 1e10", INT_MAX},
                                         IntegerCase{"Displays.Position = -1e10", INT_MIN},
                                         IntegerCase{"Displays.Position = 2147483647", INT_MAX},
                                         IntegerCase{"Displays.Position = 2147483520", 2147483520},
                                         IntegerCase{"Displays.Position = -2147483648", INT_MIN},
                                         IntegerCase{"Train.Seat = x", 5}));

TEST_F(ConfigReader, ClampsFractionsAtEveryLoad) {
    WriteFile(ConfigFileName, "Train.Derailment = 1.5\nTram.Explosion = -3\nTrain.Explosion = 0.25\n");
    settings.Derailment[Tram] = 4.0f;  // no key in the file: still clamped
    LoadSettings();
    EXPECT_EQ(settings.Derailment[Freight], 1.0f);
    EXPECT_EQ(settings.Explosion[Tram], 0.0f);
    EXPECT_EQ(settings.Explosion[Freight], 0.25f);
    EXPECT_EQ(settings.Derailment[Tram], 1.0f);
}

TEST_F(ConfigReader, FindsKeysInAnySection) {
    WriteFile(ConfigFileName, "[FreightTrain]\nTram.SpeedForward = 19\n");
    LoadSettings();
    EXPECT_EQ(settings.SpeedForward[Tram], 19.0f);
}

TEST_F(ConfigReader, LeavesEverySettingAloneWithoutAFile) {
    ApplyDefaults();
    settings.SpeedForward[Tram] = 12.5f;
    const Settings before = settings;
    LoadSettings();
    EXPECT_TRUE(settings == before);
}

TEST_F(ConfigReader, KeepsSettingsWhoseKeysAreMissing) {
    ApplyDefaults();
    WriteFile(ConfigFileName, "Train.SpeedForward = 30\n");
    LoadSettings();
    EXPECT_EQ(settings.SpeedForward[Freight], 30.0f);
    EXPECT_EQ(settings.SpeedBackward[Freight], 15.0f);
    EXPECT_TRUE(settings.Display.Speed);
}

TEST_F(ConfigReader, ReadSettingKeepsTheValueWithoutAValidLine) {
    WriteFile(ConfigFileName, "Trains.EnterDelay = soon\n");
    float value = 0.7f;
    ReadSetting("Trains.EnterDelay", value);
    EXPECT_EQ(value, 0.7f);
    ReadSetting("Trains.EnterDela", value);
    EXPECT_EQ(value, 0.7f);
}

TEST(TrimBlanks, RemovesLeadingAndTrailingWhiteSpaceOnly) {
    std::string text = " \t\v\f\r\n a b \t\r\n";
    TrimBlanks(text);
    EXPECT_EQ(text, "a b");
    std::string blanks = " \t ";
    TrimBlanks(blanks);
    EXPECT_EQ(blanks, "");
    std::string none = "x";
    TrimBlanks(none);
    EXPECT_EQ(none, "x");
}

}  // namespace
}  // namespace kelvane
