// Scenario files: what they may say, how their expectations judge a run, and the trace.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "hook/hook.h"
#include "scenario/scenario.h"
#include "scenario/expectations.h"
#include "scenario/scenario_run.h"
#include "scenario/world_view.h"
#include "support/case_name.h"

namespace sim {
namespace {

// Top-level keys go before the tables of the base world; tables may follow it.
const char* const BaseSettings = "duration = 4.0\nframe_time = 0.1\n";
const char* const Base = R"(
[[tracks]]
name = "line"
points = [[0, 0, 0], [1000, 0, 0]]
[[trains]]
name = "goods"
position = 100.0
cars = ["freight_locomotive", "freightcar"]
cruise_speed = 3.0
)";

struct Played {
    ScenarioReport report;
    std::string trace;
    std::string timeline;
};

std::string Text(const std::string& topLevel, const std::string& tables) {
    return BaseSettings + topLevel + Base + tables;
}

Played Play(const std::string& tables) {
    const Scenario scenario = ParseScenario(Text("", tables), "test");
    Simulation simulation;
    ScenarioRunner runner(scenario, simulation);
    std::ostringstream trace, timeline;
    Played played{runner.Run(&trace, &timeline), trace.str(), timeline.str()};
    hook::Reset();
    return played;
}

struct ErrorCase {
    const char* name;
    const char* topLevel;
    const char* tables;
    const char* message;
};

class ScenarioErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScenarioErrors, NameTheLineAndTheFault) {
    try {
        ParseScenario(Text(GetParam().topLevel, GetParam().tables), "test");
        FAIL() << "accepted: " << GetParam().topLevel << GetParam().tables;
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find(GetParam().message), std::string::npos) << error.what();
        EXPECT_EQ(std::string(error.what()).rfind("line ", 0), 0u) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ScenarioErrors,
    testing::Values(ErrorCase{"UnknownTopLevelKey", "speed = 3\n", "", "unknown key 'speed' in the scenario"},
                    ErrorCase{"UnknownTrainKey", "", "[[trains]]\ncars = [\"tram\"]\nwheels = 4\n",
                              "unknown key 'wheels' in a train"},
                    ErrorCase{"UnknownControl", "", "[[input]]\ncontrol = \"jump\"\nat = 1\n", "control must be"},
                    ErrorCase{"UnknownAction", "", "[[events]]\nat = 1\naction = \"explode\"\n", "unknown action"},
                    ErrorCase{"VanishingWithoutATrain", "", "[[events]]\nat = 1\naction = \"train_vanishes\"\n",
                              "needs the train"},
                    ErrorCase{"ExpectationWithoutATime", "", "[[expect]]\nplayer_seat = 0\n",
                              "exactly one of at, within, during"},
                    ErrorCase{"SpeedWithoutATrain", "", "[[expect]]\nat = 1\nspeed_min = 1\n", "need the train"},
                    ErrorCase{"WindowEndingBeforeItStarts", "", "[[expect]]\nwithin = [3, 1]\nderailed = true\n",
                              "must not end before"},
                    ErrorCase{"PointWithOneCoordinate", "", "[[walls]]\nfrom = [1]\nto = [2, 2]\n", "[x, y]"},
                    ErrorCase{"BarFillWithoutItsLine", "", "[[expect]]\nat = 1\nbar_fill_min = 0.5\n",
                              "need the bar's line"},
                    ErrorCase{"UnknownBarColour", "", "[[expect]]\nat = 1\nbar_at = 0.5\nbar_colour = \"blue\"\n",
                              "\"red\" or \"white\""},
                    ErrorCase{"CruiseWithoutATrain", "", "[[expect]]\nat = 1\ncruise_max = 0\n", "need the train"},
                    ErrorCase{"MalformedToml", "frame_time = [1\n", "", ""}),
    kelvane_test::CaseName{});

TEST(ScenarioFile, ReadsTheWholeWorld) {
    const Scenario scenario = ParseScenario(Text("ini = \"Trains.EnterDelay = 0\\n\"\n", R"(
[player]
position = [5, 6]
heading = 90
[[walls]]
from = [0, 10]
to = [100, 10]
[[input]]
control = 71
at = 1.5
hold = 0.5
[[input]]
control = "leave"
at = 3
[[frame_time_overrides]]
frame = 5
frames = 2
value = 0.0
)"),
                                              "test");
    ASSERT_EQ(scenario.trains.size(), 1u);
    EXPECT_EQ(scenario.trains[0].trackName, "line") << "the first track by default";
    EXPECT_EQ(scenario.trains[0].train.cars[0].model, FreightLocomotiveModel);
    EXPECT_EQ(scenario.playerPosition, (Vec3{5, 6, 1})) << "a ped stands 1 m above the ground";
    ASSERT_EQ(scenario.inputs.size(), 2u);
    EXPECT_EQ(scenario.inputs[1].control, 75);
    EXPECT_EQ(*scenario.ini, "Trains.EnterDelay = 0\n");
    EXPECT_EQ(scenario.frameTimeOverrides[0].frames, 2u);
}

TEST(ScenarioRun, JudgesEachKindOfExpectation) {
    const Played played = Play(R"(
[[expect]]
name = "cruising by then"
at = 3.0
train = "goods"
speed_min = 2.99
speed_max = 3.01
[[expect]]
name = "too early"
at = 0.5
train = "goods"
speed_min = 2.99
[[expect]]
name = "reaches it in the window"
within = [1.5, 3.5]
train = "goods"
speed_min = 2.99
[[expect]]
name = "never this fast"
within = [0.0, 4.0]
train = "goods"
speed_min = 3.5
[[expect]]
name = "on foot throughout"
during = [0.0, 4.0]
player_vehicle = "none"
[[expect]]
name = "after the end"
at = 9.0
vehicle_count = 2
)");
    const auto& results = played.report.results;
    ASSERT_EQ(results.size(), 6u);
    EXPECT_TRUE(results[0].met) << results[0].detail;
    EXPECT_FALSE(results[1].met);
    EXPECT_NE(results[1].detail.find("goods runs at"), std::string::npos) << results[1].detail;
    EXPECT_TRUE(results[2].met) << results[2].detail;
    EXPECT_FALSE(results[3].met);
    EXPECT_TRUE(results[4].met) << results[4].detail;
    EXPECT_FALSE(results[5].met);
    EXPECT_NE(results[5].detail.find("the run ended"), std::string::npos) << results[5].detail;
    EXPECT_EQ(played.report.Failures(), 3);
}

TEST(ScenarioRun, JudgesTheCruiseSpeedAndThePlayersDistanceToATrain) {
    const Played played = Play(R"(
[player]
position = [100, 30]
[[expect]]
at = 0.5
train = "goods"
cruise_min = 3.0
cruise_max = 3.0
player_distance_min = 29.9
player_distance_max = 30.1
[[expect]]
at = 0.5
train = "goods"
player_distance_max = 20.0
)");
    ASSERT_EQ(played.report.results.size(), 2u);
    EXPECT_TRUE(played.report.results[0].met) << played.report.results[0].detail;
    EXPECT_FALSE(played.report.results[1].met);
    EXPECT_NE(played.report.results[1].detail.find("the player's distance to goods is 30."), std::string::npos)
        << played.report.results[1].detail;
}

// A gauge as the plug-in draws it: background, then its fill from the left edge.
void DrawGauge(World& world, float y, float fill, int green) {
    world.Frame().rects.push_back({0.5f, y, 0.1f, 0.005f, {255, 255, 255, 63}});
    world.Frame().rects.push_back({0.45f + 0.1f * fill / 2.0f, y, 0.1f * fill, 0.005f, {255, green, green, 255}});
}

TEST(ScreenBars, AreReadFromTheirTwoRectanglesAndJudgedByLineColourAndFill) {
    World world;
    world.Frame().rects.push_back({0.2f, 0.3f, 0.05f, 0.005f, {255, 0, 0, 255}});  // a lone rectangle
    DrawGauge(world, 0.99f, 0.25f, 127);
    DrawGauge(world, 0.951f, 1.0f, 255);
    const std::vector<ScreenBar> bars = BarsOnScreen(world.Frame());
    ASSERT_EQ(bars.size(), 2u);
    EXPECT_EQ(DescribeBar(bars[0]), "derailment bar");
    EXPECT_NEAR(bars[0].fill, 0.25f, 1e-6);
    EXPECT_EQ(DescribeBar(bars[1]), "doors bar");

    Expectation expectation;
    expectation.barAt = 0.99f;
    expectation.barColour = "red";
    expectation.barFillMin = 0.2;
    expectation.barFillMax = 0.3;
    EXPECT_FALSE(Mismatch(expectation, world));
    expectation.barColour = "white";
    EXPECT_TRUE(Mismatch(expectation, world));
    expectation = Expectation{};
    expectation.noBarAt = 0.951f;
    ASSERT_TRUE(Mismatch(expectation, world));
    EXPECT_EQ(*Mismatch(expectation, world), "a doors bar is drawn");
    expectation.noBarAt = 0.044f;
    EXPECT_FALSE(Mismatch(expectation, world));
}

TEST(ScenarioRun, EventsChangeTheWorldAtTheirTime) {
    const Played played = Play(R"(
[[events]]
at = 1.0
action = "train_vanishes"
train = "goods"
[[events]]
at = 2.0
action = "player_dies"
[[expect]]
at = 0.9
vehicle_count = 2
[[expect]]
at = 1.0
vehicle_count = 0
[[expect]]
at = 2.0
player_dead = true
)");
    for (const ExpectationResult& result : played.report.results) EXPECT_TRUE(result.met) << result.name << ": " << result.detail;
    EXPECT_NE(played.timeline.find("train goods is gone"), std::string::npos) << played.timeline;
    EXPECT_NE(played.timeline.find("the player dies"), std::string::npos);
}

TEST(ScenarioRun, AnInputIsHeldForItsTimeAndAtLeastOneFrame) {
    const Played played = Play(R"(
[[input]]
control = "throttle"
at = 1.0
hold = 0.3
[[input]]
control = "horn"
at = 2.0
)");
    EXPECT_NE(played.timeline.find("1.00 s  throttle (71) pressed"), std::string::npos) << played.timeline;
    EXPECT_NE(played.timeline.find("1.30 s  throttle (71) released"), std::string::npos) << played.timeline;
    EXPECT_NE(played.timeline.find("2.00 s  horn (86) pressed"), std::string::npos) << played.timeline;
    EXPECT_NE(played.timeline.find("2.10 s  horn (86) released"), std::string::npos) << played.timeline;
}

TEST(ScenarioRun, WritesOneJsonLinePerFrameWithWhatTheGameObserved) {
    const Played played = Play(R"(
[[frame_time_overrides]]
frame = 3
frames = 2
value = 0.0
)");
    std::istringstream lines(played.trace);
    std::string line;
    int count = 0;
    std::uint64_t lastTime = 0;
    while (std::getline(lines, line)) {
        const auto frame = nlohmann::json::parse(line);
        EXPECT_EQ(frame["frame"], count);
        if (count == 3 || count == 4) {
            EXPECT_EQ(frame["frame_time"], 0.0);
        }
        if (count == 4 || count == 5) {
            EXPECT_EQ(frame["time_ms"], lastTime) << "a frame of no time does not move the clock";
        }
        lastTime = frame["time_ms"];
        for (const char* field : {"player", "trains", "vehicles", "texts", "rects", "camera_shake", "explosions",
                                  "native_calls"}) {
            EXPECT_TRUE(frame.contains(field)) << field;
        }
        EXPECT_EQ(frame["trains"][0]["name"], "goods");
        EXPECT_EQ(frame["vehicles"].size(), 2u);
        ++count;
    }
    EXPECT_EQ(count, 42) << "4 s at 0.1 s a frame, plus two frames of no time";
    EXPECT_EQ(played.report.frames, 42u);
}

}  // namespace
}  // namespace sim
