// The driving display as the game shows it: the speed text and the bars in the world's
// draw list, in cab frames and when the display is drawn on its own.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "config/settings.h"
#include "hud/driving_hud.h"
#include "support/cab_frames.h"
#include "support/cab_setup.h"
#include "support/default_settings.h"

namespace kelvane {
namespace {

using kelvane_test::AddStraightTrain;
using kelvane_test::CabFrames;
using kelvane_test::FreightCars;
using kelvane_test::PutPlayerInCab;
using kelvane_test::TramCars;

constexpr float SpeedTopY = 0.01f, SpeedBottomY = 0.956f;
constexpr float RiskTopY = 0.005f, RiskBottomY = 0.99f;
constexpr float DoorsTopY = 0.044f, DoorsBottomY = 0.951f;
constexpr float FullBarWidth = 0.1f;
constexpr float BarLeftEdge = 0.45f;

class DrivingHud : public testing::Test {
protected:
    void SetUp() override { settings = kelvane_test::DefaultSettings(); }

    // A freight locomotive alone or a tram of two cars, the player in the cab.
    sim::Handle Board(TrainType type, double speed = 0.0) {
        const sim::Handle lead = AddStraightTrain(frames.world(), type == Tram ? TramCars() : FreightCars(0), speed);
        PutPlayerInCab(frames, lead, type, type == Tram ? sim::DriverSeat : sim::PassengerSeat);
        return lead;
    }

    // The display on its own, into an empty draw list, so that no other step of the
    // frame changes the values it shows.
    void DrawHud() {
        frames.world().Frame().Clear();
        DrawCabHud(frames.state);
    }
    void DrawDistanceBar() {
        frames.world().Frame().Clear();
        DrawTrainDistanceBar(frames.state);
    }

    const std::vector<sim::DrawnText>& Texts() { return frames.world().Frame().texts; }
    std::vector<sim::DrawnRect> RectsOn(float y) {
        std::vector<sim::DrawnRect> found;
        for (const sim::DrawnRect& rect : frames.world().Frame().rects) {
            if (rect.y == y) found.push_back(rect);
        }
        return found;
    }
    // The fill of the one bar on line y; the background comes first.
    sim::DrawnRect FillOn(float y) {
        const std::vector<sim::DrawnRect> rects = RectsOn(y);
        EXPECT_EQ(rects.size(), 2u) << "one bar on line " << y;
        if (rects.size() != 2u) return {};
        EXPECT_FLOAT_EQ(rects[0].width, FullBarWidth) << "the background first";
        EXPECT_EQ(rects[0].colour[3], 63);
        return rects[1];
    }
    void ExpectFillFromLeftEdge(const sim::DrawnRect& fill, float width) {
        EXPECT_NEAR(fill.width, width, 1e-6f);
        EXPECT_NEAR(fill.x - fill.width / 2.0f, BarLeftEdge, 1e-6f);
    }
    std::string ShownText() {
        EXPECT_EQ(Texts().size(), 1u);
        return Texts().empty() ? "" : Texts()[0].text;
    }

    CabFrames frames;
};

// ---- Speed text ----

struct SpeedCase {
    const char* name;
    float speed;
    const char* text;
};

class SpeedText : public DrivingHud, public testing::WithParamInterface<SpeedCase> {};

TEST_P(SpeedText, ShowsTruncatedMphAndKmhInTheCab) {
    Board(Freight, GetParam().speed);
    frames.Frame();
    ASSERT_EQ(Texts().size(), 1u);
    const sim::DrawnText& text = Texts()[0];
    EXPECT_EQ(text.text, GetParam().text);
    EXPECT_FLOAT_EQ(text.x, 0.5f);
    EXPECT_FLOAT_EQ(text.y, SpeedTopY);
    EXPECT_FLOAT_EQ(text.style.scaleX, 0.35f);
    EXPECT_FLOAT_EQ(text.style.scaleY, 0.35f);
    EXPECT_EQ(text.style.colour[3], 255);
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, SpeedText,
    testing::Values(SpeedCase{"SixteenPointSeven", 16.7f, "37 mph (60 km/h)"},
                    SpeedCase{"BackwardsAtTen", -10.0f, "22 mph (36 km/h)"},
                    SpeedCase{"Forty", 40.0f, "89 mph (144 km/h)"},
                    SpeedCase{"TwentyFive", 25.0f, "55 mph (90 km/h)"},
                    // 24.99995 mph: truncated, where rounding would give 25.
                    SpeedCase{"MphAHairBelowTwentyFive", 11.176f, "24 mph (40 km/h)"},
                    SpeedCase{"BelowOneKmh", 0.27f, "0 mph (0 km/h)"}),
    [](const testing::TestParamInfo<SpeedCase>& info) { return std::string(info.param.name); });

struct ExtremeSpeedCase {
    const char* name;
    float shownSpeed;
    float speed;
    const char* text;
};

class ExtremeSpeed : public DrivingHud, public testing::WithParamInterface<ExtremeSpeedCase> {};

TEST_P(ExtremeSpeed, SaturatesInsteadOfOverflowing) {
    Board(Freight);
    frames.state.shownSpeed = GetParam().shownSpeed;
    frames.state.speed = GetParam().speed;
    DrawHud();
    EXPECT_EQ(ShownText(), GetParam().text);
}

constexpr float Infinity = std::numeric_limits<float>::infinity();
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
constexpr float Largest = std::numeric_limits<float>::max();

INSTANTIATE_TEST_SUITE_P(
    Speeds, ExtremeSpeed,
    testing::Values(ExtremeSpeedCase{"TenToTheThirty", 0.0f, 1e30f, "2147483647 mph (2147483647 km/h)"},
                    ExtremeSpeedCase{"LargestBackwards", 0.0f, -Largest, "2147483647 mph (2147483647 km/h)"},
                    ExtremeSpeedCase{"Infinite", 0.0f, Infinity, "2147483647 mph (2147483647 km/h)"},
                    // The km/h go beyond the integer range, the mph still fit.
                    ExtremeSpeedCase{"KmhBeyondTheIntegerRange", 0.0f, 6.5e8f, "1454005888 mph (2147483647 km/h)"},
                    // A speed that is no number never passes the dead band: the text keeps
                    // the speed it showed, and a shown speed that is none reads as 0.
                    ExtremeSpeedCase{"NoNumberKeepsTheShownSpeed", 25.0f, NaN, "55 mph (90 km/h)"},
                    ExtremeSpeedCase{"ShownSpeedNoNumber", NaN, NaN, "0 mph (0 km/h)"}),
    [](const testing::TestParamInfo<ExtremeSpeedCase>& info) { return std::string(info.param.name); });

struct DeadBandCase {
    const char* name;
    float speed;
    bool updates;
    const char* text;
};

class DeadBand : public DrivingHud, public testing::WithParamInterface<DeadBandCase> {};

TEST_P(DeadBand, TheTextFollowsOnlyBeyondAFifthOfAMetrePerSecond) {
    Board(Freight, GetParam().speed);
    frames.state.shownSpeed = 10.0f;
    frames.Frame();
    const float shown = GetParam().updates ? GetParam().speed : 10.0f;
    EXPECT_EQ(frames.state.shownSpeed, shown);
    EXPECT_EQ(ShownText(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Speeds, DeadBand,
                         // 10 m/s shows 22 mph (36 km/h).
                         testing::Values(DeadBandCase{"TenPointTwoUnchanged", 10.2f, false, "22 mph (36 km/h)"},
                                         DeadBandCase{"TenPointThreeUpdates", 10.3f, true, "23 mph (37 km/h)"},
                                         DeadBandCase{"NinePointEightUnchanged", 9.8f, false, "22 mph (36 km/h)"},
                                         DeadBandCase{"NinePointSevenUpdates", 9.7f, true, "21 mph (34 km/h)"},
                                         DeadBandCase{"BackwardsUpdates", -10.0f, true, "22 mph (36 km/h)"}),
                         [](const testing::TestParamInfo<DeadBandCase>& info) { return std::string(info.param.name); });

TEST_F(DrivingHud, TheShownSpeedStaysWhileTheSpeedTextIsOff) {
    Board(Freight, 30.0);
    frames.state.shownSpeed = 10.0f;
    settings.Display.Speed = false;
    frames.Frame();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(frames.state.shownSpeed, 10.0f);
}

// ---- Derailment bar ----

struct RiskCase {
    const char* name;
    float derailRisk;
    float fillWidth;
};

class RiskBar : public DrivingHud, public testing::WithParamInterface<RiskCase> {};

TEST_P(RiskBar, FillsWithTheRiskUpToTheThreshold) {
    Board(Freight);
    frames.state.derailRisk = GetParam().derailRisk;
    DrawHud();
    const sim::DrawnRect fill = FillOn(RiskTopY);
    ExpectFillFromLeftEdge(fill, GetParam().fillWidth);
    EXPECT_EQ(fill.colour[0], 255);
    EXPECT_EQ(fill.colour[1], 127);
    EXPECT_EQ(fill.colour[2], 127);
    EXPECT_EQ(fill.colour[3], 255);
}

INSTANTIATE_TEST_SUITE_P(Risks, RiskBar,
                         testing::Values(RiskCase{"None", 0.0f, 0.0f}, RiskCase{"Half", 0.5f, 0.05f},
                                         RiskCase{"AtTheThreshold", 1.0f, FullBarWidth},
                                         RiskCase{"BeyondTheThreshold", 1.7f, FullBarWidth},
                                         RiskCase{"NoNumber", NaN, 0.0f}),
                         [](const testing::TestParamInfo<RiskCase>& info) { return std::string(info.param.name); });

// ---- Doors bar ----

struct DoorsBarCase {
    const char* name;
    float doorRatio;
    float fillWidth;
};

class DoorsBar : public DrivingHud, public testing::WithParamInterface<DoorsBarCase> {};

TEST_P(DoorsBar, EmptiesAsTheTramsFrontDoorOpens) {
    const sim::Handle lead = Board(Tram);
    frames.world().SetDoorRatio(lead, 0, GetParam().doorRatio);
    frames.Frame();
    const sim::DrawnRect fill = FillOn(DoorsTopY);
    ExpectFillFromLeftEdge(fill, GetParam().fillWidth);
    EXPECT_EQ(fill.colour[1], 255);
    EXPECT_EQ(fill.colour[2], 255);
    EXPECT_EQ(fill.colour[3], 255);
}

INSTANTIATE_TEST_SUITE_P(Ratios, DoorsBar,
                         testing::Values(DoorsBarCase{"Shut", 0.0f, FullBarWidth},
                                         DoorsBarCase{"HalfOpen", 0.5f, 0.05f},
                                         DoorsBarCase{"QuarterOpen", 0.25f, 0.075f},
                                         DoorsBarCase{"Open", 1.0f, 0.0f}),
                         [](const testing::TestParamInfo<DoorsBarCase>& info) { return std::string(info.param.name); });

TEST_F(DrivingHud, AFreightTrainNeverShowsADoorsBar) {
    const sim::Handle lead = Board(Freight);
    ASSERT_TRUE(settings.Display.Doors);
    for (int door : {0, 1}) frames.world().SetDoorRatio(lead, door, 0.5f);
    frames.Frame();
    EXPECT_TRUE(RectsOn(DoorsTopY).empty());
    EXPECT_EQ(frames.world().Frame().rects.size(), 2u) << "the derailment bar only";
}

TEST_F(DrivingHud, TheDoorsBarFollowsTheDoorsAsTheyMove) {
    const sim::Handle lead = Board(Tram);
    constexpr int DoorsKey = 113;
    frames.Frame({DoorsKey});
    float lastWidth = FullBarWidth;
    for (int i = 0; i < 200 && frames.state.doorMotion != 0; ++i) {
        // The doors step runs before the display: the bar shows this frame's command.
        const float width = FillOn(DoorsTopY).width;
        EXPECT_NEAR(width, FullBarWidth * (1.0f - frames.world().FindVehicle(lead)->doors[0]), 1e-6f);
        EXPECT_LT(width, lastWidth);
        lastWidth = width;
        frames.Frame();
    }
    EXPECT_EQ(FillOn(DoorsTopY).width, 0.0f) << "empty once the doors are open";
}

// ---- Show/hide and position ----

struct SwitchCase {
    const char* name;
    bool Settings::DisplayGroup::*setting;
    float hiddenLine;
};

class DisplaySwitch : public DrivingHud, public testing::WithParamInterface<SwitchCase> {};

TEST_P(DisplaySwitch, HidesItsOwnElementOnly) {
    Board(Tram);
    settings.Display.*GetParam().setting = false;
    DrawHud();
    const bool speedShown = GetParam().hiddenLine != SpeedTopY;
    EXPECT_EQ(Texts().size(), speedShown ? 1u : 0u);
    for (float barLine : {RiskTopY, DoorsTopY}) {
        EXPECT_EQ(RectsOn(barLine).size(), barLine == GetParam().hiddenLine ? 0u : 2u) << "line " << barLine;
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, DisplaySwitch,
                         testing::Values(SwitchCase{"Speed", &Settings::DisplayGroup::Speed, SpeedTopY},
                                         SwitchCase{"Derailment", &Settings::DisplayGroup::Derailment, RiskTopY},
                                         SwitchCase{"Doors", &Settings::DisplayGroup::Doors, DoorsTopY}),
                         [](const testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

struct PositionCase {
    const char* name;
    int position;
    float speedY, riskY, doorsY;
};

class Position : public DrivingHud, public testing::WithParamInterface<PositionCase> {};

TEST_P(Position, PlacesEveryElementOnItsLine) {
    const sim::Handle lead = Board(Tram, 16.7);
    settings.Displays.Position = GetParam().position;
    frames.state.derailRisk = 0.5f;
    frames.world().SetDoorRatio(lead, 0, 0.5f);
    DrawHud();
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_FLOAT_EQ(Texts()[0].y, GetParam().speedY);
    EXPECT_EQ(RectsOn(GetParam().riskY).size(), 2u);
    EXPECT_EQ(RectsOn(GetParam().doorsY).size(), 2u);
    EXPECT_EQ(frames.world().Frame().rects.size(), 4u) << "nothing on another line";

    frames.state.autopilotTrain = lead;
    DrawDistanceBar();
    EXPECT_EQ(RectsOn(GetParam().riskY).size(), 2u) << "the distance bar shares the derailment bar's line";
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Position,
    testing::Values(PositionCase{"Top", 0, SpeedTopY, RiskTopY, DoorsTopY},
                    PositionCase{"Bottom", 1, SpeedBottomY, RiskBottomY, DoorsBottomY},
                    PositionCase{"TwoIsAlsoBottom", 2, SpeedBottomY, RiskBottomY, DoorsBottomY},
                    PositionCase{"NegativeIsAlsoBottom", -1, SpeedBottomY, RiskBottomY, DoorsBottomY}),
    [](const testing::TestParamInfo<PositionCase>& info) { return std::string(info.param.name); });

// ---- Train-distance bar ----

struct DistanceCase {
    const char* name;
    double dx, dy;  // the player from the train, in the plane
    float fillWidth;
};

class DistanceBar : public DrivingHud, public testing::WithParamInterface<DistanceCase> {};

TEST_P(DistanceBar, FillsWithTheDistanceUpToTwoHundredFiftyMetres) {
    const sim::Handle lead = Board(Freight);
    frames.state.phase = CabPhase::OnFoot;
    frames.state.autopilotTrain = lead;
    const sim::Vec3 train = frames.world().FindVehicle(lead)->position;
    // 40 m above the train: heights do not count.
    frames.world().PlacePed(frames.world().PlayerPed(), {train.x + GetParam().dx, train.y + GetParam().dy, train.z + 40.0},
                            0.0);
    DrawDistanceBar();
    const sim::DrawnRect fill = FillOn(RiskTopY);
    ExpectFillFromLeftEdge(fill, GetParam().fillWidth);
    EXPECT_EQ(fill.colour[1], 255);
    EXPECT_EQ(fill.colour[2], 255);
    EXPECT_EQ(fill.colour[3], 255);
}

INSTANTIATE_TEST_SUITE_P(
    Distances, DistanceBar,
    testing::Values(DistanceCase{"AtTheTrain", 0.0, 0.0, 0.0f}, DistanceCase{"Half", 125.0, 0.0, 0.05f},
                    DistanceCase{"HalfAcrossTheLine", 0.0, -125.0, 0.05f},
                    DistanceCase{"HalfOnTheDiagonal", -75.0, 100.0, 0.05f},
                    DistanceCase{"Full", 250.0, 0.0, FullBarWidth},
                    // Beyond 250 m until the engineer lets the train go: never more than full.
                    DistanceCase{"BeyondFull", 300.0, 0.0, FullBarWidth},
                    DistanceCase{"FarBeyondFull", 0.0, 40000.0, FullBarWidth}),
    [](const testing::TestParamInfo<DistanceCase>& info) { return std::string(info.param.name); });

TEST_F(DrivingHud, TheDistanceBarIsHiddenByItsSetting) {
    frames.state.autopilotTrain = Board(Freight);
    settings.Display.TrainDistance = false;
    DrawDistanceBar();
    EXPECT_TRUE(frames.world().Frame().rects.empty());
}

}  // namespace
}  // namespace kelvane
