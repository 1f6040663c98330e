// The key messages of the play page: what each key holds in the world, and what is refused.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play_keys.h"

namespace kelvane_sim {
namespace {

struct HeldCase {
    const char* name;
    const char* body;
    HeldInput expected;
    std::uint64_t sequence;
};

class KeyMessages : public testing::TestWithParam<HeldCase> {};

TEST_P(KeyMessages, HoldTheGamesControlsAndWalk) {
    std::string error;
    const auto message = ParseKeyMessage(GetParam().body, error);
    ASSERT_TRUE(message.has_value()) << error;
    EXPECT_EQ(message->input.controls, GetParam().expected.controls);
    EXPECT_EQ(message->input.walkX, GetParam().expected.walkX);
    EXPECT_EQ(message->input.walkY, GetParam().expected.walkY);
    EXPECT_EQ(message->input.running, GetParam().expected.running);
    EXPECT_EQ(message->sequence, GetParam().sequence);
}

INSTANTIATE_TEST_SUITE_P(
    Held, KeyMessages,
    testing::Values(
        HeldCase{"NothingHeld", R"({"seq": 4, "held": []})", {}, 4},
        HeldCase{"WIsThrottleAndWalkingNorth", R"({"held": ["w"]})", {{71}, 0, 1, false}, 0},
        HeldCase{"SIsBrakeAndWalkingSouth", R"({"held": ["s"]})", {{72}, 0, -1, false}, 0},
        HeldCase{"AAndDChangeSeatAndCancelOut", R"({"held": ["a", "d"]})", {{34, 35}, 0, 0, false}, 0},
        HeldCase{"ArrowsOnlyWalk", R"({"held": ["up", "left"]})", {{}, -1, 1, false}, 0},
        HeldCase{"ShiftRuns", R"({"held": ["shift", "right"]})", {{}, 1, 0, true}, 0},
        HeldCase{"FIsEnterAndLeave", R"({"held": ["f"]})", {{23, 75}, 0, 0, false}, 0},
        HeldCase{"CabKeys", R"({"held": ["space", "x", "h", "e", "g"]})", {{73, 74, 76, 86, 113}, 0, 0, false}, 0},
        HeldCase{"WAndUpWalkAtOnePace", R"({"held": ["w", "up", "w"]})", {{71}, 0, 1, false}, 0},
        HeldCase{"LargeSequence", R"({"seq": 18446744073709551615, "held": ["g"]})", {{113}, 0, 0, false},
                 18446744073709551615ull}),
    [](const testing::TestParamInfo<HeldCase>& info) { return std::string(info.param.name); });

std::string HeldList(int count) {
    std::string body = "{\"held\": [";
    for (int i = 0; i < count; ++i) body += i == 0 ? "\"w\"" : ", \"w\"";
    return body + "]}";
}

struct RefusedCase {
    const char* name;
    std::string body;
    const char* reason;  // part of the error
};

class RefusedKeyMessages : public testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedKeyMessages, SayWhy) {
    std::string error;
    EXPECT_FALSE(ParseKeyMessage(GetParam().body, error).has_value());
    EXPECT_NE(error.find(GetParam().reason), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Refused, RefusedKeyMessages,
    testing::Values(RefusedCase{"Empty", "", "not JSON"},
                    RefusedCase{"Truncated", R"({"held": ["w")", "not JSON"},
                    RefusedCase{"AList", R"(["w"])", "must be a JSON object"},
                    RefusedCase{"NoHeld", R"({"seq": 1})", "needs \"held\""},
                    RefusedCase{"HeldNotAList", R"({"held": "w"})", "needs \"held\""},
                    RefusedCase{"UnknownKey", R"({"held": ["w", "q"]})", "unknown key \"q\""},
                    RefusedCase{"KeyNotAName", R"({"held": [71]})", "unknown key 71"},
                    RefusedCase{"UpperCaseName", R"({"held": ["W"]})", "unknown key \"W\""},
                    RefusedCase{"UnknownField", R"({"held": [], "mouse": 1})", "unknown field \"mouse\""},
                    RefusedCase{"NegativeSequence", R"({"seq": -1, "held": []})", "whole number"},
                    RefusedCase{"FractionalSequence", R"({"seq": 1.5, "held": []})", "whole number"},
                    RefusedCase{"TooManyEntries", HeldList(65), "more than 64 keys"}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvane_sim
