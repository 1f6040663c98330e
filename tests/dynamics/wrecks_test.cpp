// The wreck upkeep through the stand-in: sampling passes, explosions on violent speed
// changes, and the clean-ups of vanished, surplus and far wrecks.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "config/settings.h"
#include "dynamics/wrecks.h"
#include "support/cab_frames.h"
#include "support/case_name.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CabFrames;
using kelvane_test::CaseName;

// Every frame is a sampling pass at this frame time, which is a binary fraction so that
// speeds and changes come out exact.
constexpr float PassTime = 0.25f;
constexpr double RestHeight = 0.5;  // a free vehicle's origin above the ground

class Wrecks : public testing::Test {
protected:
    void SetUp() override {
        settings = Settings{};
        ApplyDefaults();
        frames.world().PlacePed(frames.world().PlayerPed(), {0.0, 0.0, 1.0}, 0.0);
    }

    sim::Handle AddWreck(double x, double y = 0.0, TrainType type = Freight) {
        const sim::Handle vehicle = frames.world().CreateVehicle(sim::ModelFromName("freightcar"), {x, y, RestHeight}, 90.0);
        AppendWreck(frames.state, vehicle, type);
        return vehicle;
    }
    void MoveTo(sim::Handle vehicle, double x) { frames.world().SetEntityCoords(vehicle, {x, 0.0, RestHeight}); }

    // One pass in which the vehicle has moved at the given speed since the last one.
    void PassAtSpeed(sim::Handle vehicle, double speed) {
        position_ += speed * PassTime;
        MoveTo(vehicle, position_);
        frames.Frame({}, PassTime);
    }

    int CallsOf(std::uint64_t hash) {
        const auto& log = sim::hook::CallLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [hash](const auto& c) { return c.hash == hash; }));
    }
    int Explosions() { return frames.world().ExplosionsSoFar(); }
    bool Exists(sim::Handle vehicle) { return frames.world().Exists(vehicle); }

    CabFrames frames;
    double position_ = 10.0;
};

TEST_F(Wrecks, NothingRunsWhileTheListIsEmpty) {
    frames.Frames(10, {}, PassTime);
    EXPECT_EQ(CallsOf(sim::native::GET_FRAME_TIME), 0);
    EXPECT_EQ(frames.state.wreckFrameCount, 0);
}

TEST_F(Wrecks, ASamplingPassComesOnceMoreThanAFifthOfASecondHasPassed) {
    AddWreck(10.0);
    frames.Frames(3, {}, 0.0625f);  // 0.1875 s
    EXPECT_EQ(frames.state.wrecks[0].samples, 0);
    EXPECT_EQ(CallsOf(sim::native::SET_ENTITY_DYNAMIC), 0);
    frames.Frame({}, 0.0625f);
    EXPECT_EQ(frames.state.wrecks[0].samples, 1);
    EXPECT_EQ(CallsOf(sim::native::SET_ENTITY_DYNAMIC), 1);
    EXPECT_EQ(frames.state.wreckCheckTime, 0.0f) << "the pass used up the time";
}

TEST_F(Wrecks, ANewWreckWaitsFourPassesAndAgainAfterEachExplosion) {
    const sim::Handle wreck = AddWreck(position_);
    for (int pass = 0; pass < 4; ++pass) PassAtSpeed(wreck, pass % 2 == 0 ? 0.0 : 30.0);
    EXPECT_EQ(Explosions(), 0) << "violent changes during the first four passes do nothing";
    PassAtSpeed(wreck, 0.0);
    EXPECT_EQ(Explosions(), 1);
    for (int pass = 0; pass < 4; ++pass) PassAtSpeed(wreck, pass % 2 == 0 ? 30.0 : 0.0);
    EXPECT_EQ(Explosions(), 1);
    PassAtSpeed(wreck, 30.0);
    EXPECT_EQ(Explosions(), 2);
}

TEST_F(Wrecks, AVehicleExplodesAtMostSixTimesAndIsStillWatched) {
    const sim::Handle wreck = AddWreck(position_);
    for (int pass = 0; pass < 60; ++pass) PassAtSpeed(wreck, pass % 2 == 0 ? 0.0 : 30.0);
    EXPECT_EQ(Explosions(), 6);
    EXPECT_EQ(frames.state.wrecks[0].explosions, 6);
    EXPECT_EQ(CallsOf(sim::native::SET_ENTITY_DYNAMIC), 1);
}

struct StrengthCase {
    const char* name;
    double change;  // m/s² between the last two passes
    bool explodes;
    float damage;
    float shake;
};

class ExplosionStrength : public Wrecks, public testing::WithParamInterface<StrengthCase> {};

// Sensitivity 0.9: changes up to 15 m/s² do nothing, 70 and more are the strongest.
TEST_P(ExplosionStrength, GrowsFromTheThresholdToSeventyMetresPerSecondSquared) {
    const sim::Handle wreck = AddWreck(position_);
    for (int pass = 0; pass < 5; ++pass) PassAtSpeed(wreck, 0.0);
    PassAtSpeed(wreck, GetParam().change * PassTime);
    const auto& explosions = frames.world().Frame().explosions;
    ASSERT_EQ(explosions.size(), GetParam().explodes ? 1u : 0u);
    if (!GetParam().explodes) return;
    EXPECT_NEAR(explosions[0].damageScale, GetParam().damage, 1e-5);
    EXPECT_NEAR(explosions[0].cameraShake, GetParam().shake, 1e-5);
    EXPECT_EQ(explosions[0].type, 37);
    EXPECT_TRUE(explosions[0].audible);
    EXPECT_FALSE(explosions[0].invisible);
    // Somewhere along the vehicle, which faces +x here, a metre up.
    EXPECT_NEAR(explosions[0].position.x, position_, 6.0);
    EXPECT_NEAR(explosions[0].position.y, 0.0, 1e-4);
    EXPECT_NEAR(explosions[0].position.z, RestHeight + 1.0, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Changes, ExplosionStrength,
                         testing::Values(StrengthCase{"AtTheThreshold", 15.0, false, 0, 0},
                                         StrengthCase{"HalfWay", 42.5, true, 0.6f, 0.5f},
                                         StrengthCase{"AtTheTop", 70.0, true, 1.0f, 1.0f},
                                         StrengthCase{"BeyondTheTop", 200.0, true, 1.0f, 1.0f}),
                         CaseName{});

TEST_F(Wrecks, FullSensitivityExplodesAtAnyChangeAtFullStrength) {
    settings.Explosion[Freight] = 1.0f;
    const sim::Handle wreck = AddWreck(position_);
    for (int pass = 0; pass < 5; ++pass) PassAtSpeed(wreck, 0.0);
    EXPECT_EQ(Explosions(), 0) << "no change, no explosion";
    PassAtSpeed(wreck, 0.5);
    ASSERT_EQ(frames.world().Frame().explosions.size(), 1u);
    EXPECT_EQ(frames.world().Frame().explosions[0].damageScale, 1.0f);
    EXPECT_EQ(frames.world().Frame().explosions[0].cameraShake, 1.0f);
}

TEST_F(Wrecks, ZeroSensitivityNeverExplodesButStillSamplesAndCleansUp) {
    settings.Explosion[Tram] = 0.0f;
    const sim::Handle wreck = AddWreck(position_, 0.0, Tram);
    for (int pass = 0; pass < 20; ++pass) {
        PassAtSpeed(wreck, pass % 2 == 0 ? 0.0 : 50.0);
        EXPECT_EQ(CallsOf(sim::native::SET_ENTITY_DYNAMIC), 1);
    }
    EXPECT_EQ(Explosions(), 0);
    frames.world().DeleteVehicle(wreck);
    frames.Frame({}, PassTime);
    EXPECT_TRUE(frames.state.wrecks.empty());
}

TEST_F(Wrecks, VanishedVehiclesAreDroppedWithoutBeingDeleted) {
    const sim::Handle gone = AddWreck(20.0);
    const sim::Handle kept = AddWreck(30.0);
    AppendWreck(frames.state, 0, Freight);  // a creation that failed
    frames.world().DeleteVehicle(gone);
    frames.Frame({}, PassTime);
    ASSERT_EQ(frames.state.wrecks.size(), 1u);
    EXPECT_EQ(frames.state.wrecks[0].vehicle, kept);
    EXPECT_EQ(frames.state.wreckCount, 1);
    EXPECT_EQ(CallsOf(sim::native::DELETE_VEHICLE), 0);
}

TEST_F(Wrecks, MoreThanTwentyAreTrimmedToTheNearestInTheSameFrame) {
    std::vector<sim::Handle> handles;
    for (int i = 0; i < 25; ++i) handles.push_back(AddWreck(10.0 + 5.0 * ((i * 7) % 25)));
    frames.Frame({}, 0.001f);  // no sampling pass: the count alone starts the clean-up
    ASSERT_EQ(frames.state.wrecks.size(), 20u);
    EXPECT_EQ(CallsOf(sim::native::DELETE_VEHICLE), 5);
    for (int i = 0; i < 25; ++i) {
        const bool amongFarthest = (i * 7) % 25 >= 20;
        EXPECT_EQ(Exists(handles[i]), !amongFarthest) << "wreck " << i;
    }
    // The others keep their order.
    std::vector<sim::Handle> expected;
    for (int i = 0; i < 25; ++i) {
        if ((i * 7) % 25 < 20) expected.push_back(handles[i]);
    }
    std::vector<sim::Handle> kept;
    for (const WreckRecord& wreck : frames.state.wrecks) kept.push_back(wreck.vehicle);
    EXPECT_EQ(kept, expected);
}

TEST_F(Wrecks, AmongEquallyFarWrecksTheEarliestGoesFirst) {
    std::vector<sim::Handle> handles;
    for (int i = 0; i < 19; ++i) handles.push_back(AddWreck(10.0 + i));
    // Three at the same distance, on either side of the player.
    const sim::Handle first = AddWreck(100.0);
    const sim::Handle second = AddWreck(-100.0);
    const sim::Handle third = AddWreck(0.0, 100.0);
    frames.Frame({}, 0.001f);
    EXPECT_FALSE(Exists(first));
    EXPECT_FALSE(Exists(second));
    EXPECT_TRUE(Exists(third));
    EXPECT_EQ(frames.state.wrecks.size(), 20u);
}

TEST_F(Wrecks, WrecksBeyondTwoHundredMetresGoAfterSixHundredCountedFrames) {
    const sim::Handle near = AddWreck(199.0);
    const sim::Handle far = AddWreck(201.0);
    frames.Frames(600);
    EXPECT_TRUE(Exists(far));
    frames.Frame();
    EXPECT_FALSE(Exists(far));
    EXPECT_TRUE(Exists(near));
    EXPECT_EQ(frames.state.wreckFrameCount, 0);
    EXPECT_EQ(frames.state.wreckCount, 1);
}

TEST_F(Wrecks, FrameTimesOfZeroOrNoNumberNeverStopTheUpkeep) {
    const sim::Handle wreck = AddWreck(position_);
    frames.Frames(5, {}, 0.0f);
    frames.Frame({}, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(frames.state.wreckCheckTime, 0.0f);
    for (int pass = 0; pass < 5; ++pass) PassAtSpeed(wreck, 0.0);
    PassAtSpeed(wreck, 20.0);
    EXPECT_EQ(Explosions(), 1);
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u);
}

}  // namespace
}  // namespace kelvane
