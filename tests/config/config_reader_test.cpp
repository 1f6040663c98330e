#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "config/config_reader.h"
#include "config/number_text.h"
#include "config/settings.h"
#include "support/case_name.h"
#include "support/temp_folder.h"

namespace kelvane {
namespace {

using kelvane_test::CaseName;
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
    const char* name;
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
        LineCase{"NoBlanks", "Train.SpeedForward=50\n", 50.0f},
        LineCase{"BlanksAndInlineComment", "  \t Train.SpeedForward   =   50   ; fast\n", 50.0f},
        LineCase{"CaseDiffers", "train.speedforward = 50\n", 7.0f},
        LineCase{"ValueEndsAtTheNextEquals", "Train.SpeedForward = 50 = 60\n", 50.0f},
        LineCase{"Exponent", "Train.SpeedForward = 5e1\n", 50.0f},
        LineCase{"BeyondTheDoubleRange", "Train.SpeedForward = 1e999\n", 7.0f},
        LineCase{"NotANumber", "Train.SpeedForward = fast\n", 7.0f},
        LineCase{"NothingAfterEquals", "Train.SpeedForward =\n", 7.0f},
        LineCase{"OnlyBlanksAfterEquals", "Train.SpeedForward = \n", 7.0f},  // trimmed away
        LineCase{"NoEquals", "Train.SpeedForward\n", 7.0f},
        LineCase{"Comment", "; Train.SpeedForward = 10\n", 7.0f},
        LineCase{"BeginsWithABracket", "[Tram] Train.SpeedForward = 10\n", 7.0f},
        LineCase{"LastValidLineWins", "Train.SpeedForward = 30\nTrain.SpeedForward = 35\n", 35.0f},
        LineCase{"LaterInvalidLineKeepsTheValid", "Train.SpeedForward = 30\nTrain.SpeedForward = x\n", 30.0f},
        LineCase{"AllComment", "Train.SpeedForward = ;30\n", 7.0f},
        LineCase{"CommentAfterTheNumber", "Train.SpeedForward = 30;40\n", 30.0f},
        LineCase{"LongerKey", "Train.SpeedForwardX = 30\n", 7.0f},
        LineCase{"BlankInsideTheKey", "Train.Speed Forward = 30\n", 7.0f},
        LineCase{"SectionsAreNotTracked", "[Tram]\nTrain.SpeedForward = 30\n", 30.0f},
        LineCase{"LastLineWithoutLineEnd", "Train.SpeedForward = 30", 30.0f},
        LineCase{"CarriageReturnLineEnd", "Train.SpeedForward = 30\r\n", 30.0f},
        LineCase{"CarriageReturnLineEnds", "Train.SpeedForward = 30\r\nTram.SpeedForward = 5\r\n", 30.0f},
        LineCase{"EmptyFile", "", 7.0f},
        LineCase{"OnlyComments", "; only\n; comments\n", 7.0f},
        LineCase{"NoKey", "=5\n", 7.0f},
        // A number beyond the 32-bit float range is out of range; a tiny one becomes
        // what narrowing makes of it.
        LineCase{"BeyondTheFloatRange", "Train.SpeedForward = 1e39\n", 7.0f},
        LineCase{"BeyondTheNegativeFloatRange", "Train.SpeedForward = -1e39\n", 7.0f},
        LineCase{"LargestFloat", "Train.SpeedForward = 3.4028234e38\n", 3.4028234e38f},
        LineCase{"UnderflowsToZero", "Train.SpeedForward = 1e-50\n", 0.0f},
        LineCase{"UnderflowsToNegativeZero", "Train.SpeedForward = -1e-50\n", -0.0f}),
    CaseName{});

struct NumberCase {
    const char* name;
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
    testing::Values(NumberCase{"Whole", "40", 40.0f}, NumberCase{"TrailingLetters", "40abc", 40.0f},
                    NumberCase{"LeadingBlanksAndMinus", "  -2.5", -2.5f}, NumberCase{"Plus", "+3", 3.0f},
                    NumberCase{"NoIntegerPart", ".5", 0.5f}, NumberCase{"NoFractionDigits", "5.", 5.0f},
                    NumberCase{"NegativeWithoutIntegerPart", "-.25x", -0.25f},
                    NumberCase{"ExponentWithoutDigits", "1e", 1.0f},
                    NumberCase{"ExponentSignWithoutDigits", "1e+", 1.0f},
                    NumberCase{"ExponentMinusWithoutDigits", "1e-", 1.0f},
                    NumberCase{"CapitalExponent", "2E2", 200.0f},
                    NumberCase{"NegativeExponentAndLetter", "1.5e-1z", 0.15f},
                    NumberCase{"FractionalExponentStops", "1e2.5", 100.0f},
                    NumberCase{"HexIsNotANumber", "0x10", 0.0f}, NumberCase{"CommaStops", "1,5", 1.0f},
                    NumberCase{"LeadingZeros", "007", 7.0f}, NumberCase{"DefaultSensitivity", "0.88", 0.88f},
                    NumberCase{"Empty", "", std::nullopt}, NumberCase{"OnlyAPoint", ".", std::nullopt},
                    NumberCase{"OnlyAMinus", "-", std::nullopt}, NumberCase{"TwoSigns", "+-1", std::nullopt},
                    NumberCase{"OnlyAnExponent", "e5", std::nullopt}, NumberCase{"Infinity", "inf", std::nullopt},
                    NumberCase{"NegativeInfinityWord", "-infinity", std::nullopt},
                    NumberCase{"NaN", "nan", std::nullopt}, NumberCase{"NaNWithPayload", "NaN(1)", std::nullopt},
                    NumberCase{"BeyondTheDoubleRange", "1e999", std::nullopt, true},
                    NumberCase{"BeyondTheNegativeDoubleRange", "-1e999", std::nullopt, true},
                    NumberCase{"BeyondTheFloatRange", "1e39", std::nullopt, true}),
    CaseName{});

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
                         CaseName{});

struct FlagCase {
    const char* name;
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
                         testing::Values(FlagCase{"One", "1", false, true},
                                         FlagCase{"OnePointZero", "1.0", false, true},
                                         FlagCase{"OneWithExponent", "1e0", false, true},
                                         FlagCase{"Zero", "0", true, false}, FlagCase{"Two", "2", true, false},
                                         FlagCase{"JustBelowOne", "0.99", true, false},
                                         FlagCase{"MinusOne", "-1", true, false},
                                         FlagCase{"WordKeepsTrue", "yes", true, true},
                                         FlagCase{"WordKeepsFalse", "yes", false, false}),
                         CaseName{});

struct IntegerCase {
    const char* name;
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

INSTANTIATE_TEST_SUITE_P(
    Values, ReadInteger,
    testing::Values(IntegerCase{"SeatTruncated", "Train.Seat = 1.9", 1},
                    IntegerCase{"NegativeHalfToZero", "Displays.Position = -0.5", 0},
                    IntegerCase{"Whole", "Displays.Position = 2", 2},
                    IntegerCase{"NegativeTruncatedTowardZero", "Displays.Position = -2.7", -2},
                    IntegerCase{"SaturatesAtTheTop", "Displays.Position = 1e10", INT_MAX},
                    IntegerCase{"SaturatesAtTheBottom", "Displays.Position = -1e10", INT_MIN},
                    IntegerCase{"LargestIntRoundsUpAsAFloat", "Displays.Position = 2147483647", INT_MAX},
                    IntegerCase{"LargestFloatBelowTheTop", "Displays.Position = 2147483520", 2147483520},
                    IntegerCase{"SmallestInt", "Displays.Position = -2147483648", INT_MIN},
                    IntegerCase{"NotANumberKeepsTheValue", "Train.Seat = x", 5}),
    CaseName{});

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
