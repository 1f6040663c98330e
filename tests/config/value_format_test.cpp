#include <gtest/gtest.h>

#include <cfloat>
#include <climits>

#include "config/value_format.h"
#include "support/case_name.h"

namespace kelvane {
namespace {

struct FloatCase {
    const char* name;
    float value;
    const char* text;
};

class FormatFloatTest : public testing::TestWithParam<FloatCase> {};

TEST_P(FormatFloatTest, WritesSixSignificantDigitsAndMarksWholeNumbers) {
    EXPECT_EQ(FormatFloat(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatFloatTest,
    testing::Values(
        // The defaults.
        FloatCase{"DefaultForty", 40.0f, "40.0"}, FloatCase{"DefaultFifteen", 15.0f, "15.0"},
        FloatCase{"DefaultOne", 1.0f, "1.0"}, FloatCase{"DefaultTwentyFive", 25.0f, "25.0"},
        FloatCase{"DefaultSeven", 7.0f, "7.0"}, FloatCase{"DefaultPointSeven", 0.7f, "0.7"},
        FloatCase{"DefaultTwoPointFive", 2.5f, "2.5"}, FloatCase{"DefaultPointEightEight", 0.88f, "0.88"},
        FloatCase{"DefaultPointNine", 0.9f, "0.9"}, FloatCase{"DefaultTwoPointFour", 2.4f, "2.4"},
        FloatCase{"DefaultFivePointFive", 5.5f, "5.5"},
        // Zero and signs.
        FloatCase{"Zero", 0.0f, "0.0"}, FloatCase{"NegativeZero", -0.0f, "-0.0"},
        FloatCase{"NegativeWhole", -3.0f, "-3.0"}, FloatCase{"NegativeFraction", -0.25f, "-0.25"},
        // Plain up to an exponent of 5, exponent form from 6 on: a whole number then
        // still gets ".0", after the exponent.
        FloatCase{"LargestPlainWhole", 100000.0f, "100000.0"},
        FloatCase{"SmallestExponentWhole", 1000000.0f, "1e+06.0"},
        FloatCase{"RoundedExponentWhole", 1234567.0f, "1.23457e+06.0"},
        FloatCase{"LargestFloat", FLT_MAX, "3.40282e+38.0"},
        // Six significant digits: a value that rounds to a whole text is no whole number.
        FloatCase{"RoundsToAWholeText", 99999.99f, "100000"},
        FloatCase{"RoundsToSixDigits", 0.123456789f, "0.123457"},
        // Exponent form below 1e-4.
        FloatCase{"SmallestPlain", 0.0001f, "0.0001"}, FloatCase{"ExponentBelowTheFourthPlace", 0.00001f, "1e-05"},
        FloatCase{"SmallestSubnormal", FLT_TRUE_MIN, "1.4013e-45"}),
    kelvane_test::CaseName{});

TEST(FormatInt, WritesDecimalWithMinusOnlyWhenNegative) {
    EXPECT_EQ(FormatInt(0), "0");
    EXPECT_EQ(FormatInt(1), "1");
    EXPECT_EQ(FormatInt(-1), "-1");
    EXPECT_EQ(FormatInt(INT_MAX), "2147483647");
    EXPECT_EQ(FormatInt(INT_MIN), "-2147483648");
}

TEST(FormatFlag, WritesOneOrZero) {
    EXPECT_EQ(FormatFlag(true), "1");
    EXPECT_EQ(FormatFlag(false), "0");
}

TEST(PadToColumn, FillsToFortyFiveCharactersAndLeavesLongerTextAlone) {
    EXPECT_EQ(PadToColumn(""), std::string(45, ' '));
    EXPECT_EQ(PadToColumn("Displays.Position = 0"), "Displays.Position = 0" + std::string(24, ' '));
    const std::string exact(45, 'k');
    EXPECT_EQ(PadToColumn(exact), exact);
    const std::string longer(60, 'k');
    EXPECT_EQ(PadToColumn(longer), longer);
}

}  // namespace
}  // namespace kelvane
