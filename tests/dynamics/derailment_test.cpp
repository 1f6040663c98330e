// Derailment through the stand-in: the risk under the automatic update and the key, the
// warning shake, the threshold timer, and the conversion of the train into free vehicles.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "config/settings.h"
#include "dynamics/derailment.h"
#include "support/cab_frames.h"
#include "support/case_name.h"
#include "support/cab_setup.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::AddStraightTrain;
using kelvane_test::CabFrames;
using kelvane_test::CaseName;
using kelvane_test::FreightCars;
using kelvane_test::PutPlayerInCab;
using kelvane_test::TramCars;

constexpr int DerailKey = 73;
constexpr int LeaveKey = 75;
constexpr float FrameTime = CabFrames::DefaultFrameTime;

class Derailment : public testing::Test {
protected:
    void SetUp() override {
        settings = Settings{};
        ApplyDefaults();
    }

    // The player in the right seat of a freight train on a straight line.
    sim::Handle BoardStraight(double speed, int carriages = 2) {
        const sim::Handle lead = AddStraightTrain(frames.world(), FreightCars(carriages), speed);
        PutPlayerInCab(frames, lead, Freight, 0);
        return lead;
    }

    // The player in a freight train going round a circle of radius 30 m drawn with a
    // point every 10 degrees: at 20 m/s it turns at about 0.67 rad/s.
    sim::Handle BoardOnCircle(double speed) {
        std::vector<sim::Vec3> points;
        for (int degrees = 0; degrees < 360; degrees += 10) {
            const double a = degrees * std::numbers::pi / 180.0;
            points.push_back({30.0 * std::cos(a), 30.0 * std::sin(a), 0.0});
        }
        frames.world().AddTrack(sim::Track("circle", points, true));
        sim::TrainSpec definition;
        definition.name = "circling";
        definition.cars = FreightCars(0);
        definition.speed = speed;
        const sim::Handle lead = frames.world().Trains()[frames.world().AddTrain(definition)].cars[0];
        PutPlayerInCab(frames, lead, Freight, 0);
        return lead;
    }

    // Frames until the train derails, or -1 when it has not after the given number.
    int FramesUntilDerailed(int limit, std::set<int> held = {}, float frameTime = FrameTime) {
        for (int frame = 1; frame <= limit; ++frame) {
            frames.Frame(held, frameTime);
            if (frames.state.derailed) return frame;
        }
        return -1;
    }

    int CallsOf(std::uint64_t hash) {
        const auto& log = sim::hook::CallLog();
        return static_cast<int>(std::count_if(log.begin(), log.end(), [hash](const auto& c) { return c.hash == hash; }));
    }

    std::vector<const sim::Vehicle*> FreeVehicles() {
        std::vector<const sim::Vehicle*> free;
        for (const auto& [handle, vehicle] : frames.world().Vehicles()) {
            if (vehicle.train < 0) free.push_back(&vehicle);
        }
        return free;
    }

    CabFrames frames;
};

TEST_F(Derailment, SensitivityZeroNeverDerailsAutomaticallyButTheKeyStillDoes) {
    settings.Derailment[Freight] = 0.0f;
    BoardOnCircle(20.0);
    EXPECT_EQ(FramesUntilDerailed(60 * 10), -1) << "ten seconds round a tight circle";
    EXPECT_EQ(frames.state.derailRisk, 0.0f);

    // 0.6 a second passes 1.0 after about 1.67 s, and the train leaves the rails 0.3 s later.
    const int frame = FramesUntilDerailed(60 * 3, {DerailKey});
    EXPECT_NEAR(frame * FrameTime, 1.0 / 0.6 + 0.3, 2.5 * FrameTime);
}

class SensitivityOne : public Derailment, public testing::WithParamInterface<int> {};

TEST_P(SensitivityOne, DerailsAThirdOfASecondAfterTheFirstFrameEvenAtAStandstill) {
    settings.Derailment[Freight] = 1.0f;
    BoardStraight(0.0);
    const float frameTime = 1.0f / static_cast<float>(GetParam());
    const int frame = FramesUntilDerailed(GetParam(), {}, frameTime);
    ASSERT_GT(frame, 0);
    // The first frame already puts the risk above 1.0 and starts counting.
    EXPECT_GT(frame * frameTime, 0.3);
    EXPECT_LE((frame - 1) * frameTime, 0.3 + 1e-6);
}

INSTANTIATE_TEST_SUITE_P(FrameRates, SensitivityOne, testing::Values(30, 60, 144),
                         [](const auto& info) { return std::to_string(info.param) + "fps"; });

TEST_F(Derailment, TheKeyFreezesTheRiskWhenManualDerailmentIsOff) {
    settings.KeyAction.ManualDerailment = false;
    BoardOnCircle(20.0);
    frames.state.derailRisk = 0.7f;
    frames.Frames(60 * 2, {DerailKey});
    EXPECT_EQ(frames.state.derailRisk, 0.7f) << "neither rises on the curve nor decays";
    EXPECT_FALSE(frames.state.derailed);

    // Frozen above the threshold, the timer goes on counting.
    frames.state.derailRisk = 1.2f;
    const int frame = FramesUntilDerailed(60, {DerailKey});
    EXPECT_EQ(frames.state.derailRisk, 1.2f);
    EXPECT_NEAR(frame * FrameTime, 0.3, 1.5 * FrameTime);
}

struct ManualCase {
    const char* name;
    double speed;
    float risePerSecond;
};

class ManualKey : public Derailment, public testing::WithParamInterface<ManualCase> {};

TEST_P(ManualKey, RaisesTheRiskOnlyAboveTwoMetresASecond) {
    BoardStraight(GetParam().speed);
    frames.Frames(30, {DerailKey});
    EXPECT_NEAR(frames.state.derailRisk, GetParam().risePerSecond * 0.5f, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Speeds, ManualKey,
                         testing::Values(ManualCase{"Standing", 0.0, 0.0f}, ManualCase{"AtTwo", 2.0, 0.0f},
                                         ManualCase{"AboveTwo", 2.5, 0.6f}, ManualCase{"Backwards", -5.0, 0.6f}),
                         CaseName{});

struct ExcursionCase {
    const char* name;
    float startRisk;  // decaying on straight track, 5 % of the gap a frame
    bool derails;
};

class Excursion : public Derailment, public testing::WithParamInterface<ExcursionCase> {};

TEST_P(Excursion, OnlyAnUnbrokenThirdOfASecondAboveTheThresholdDerails) {
    BoardStraight(5.0);
    frames.state.derailRisk = GetParam().startRisk;
    EXPECT_EQ(FramesUntilDerailed(120) > 0, GetParam().derails);
    if (!GetParam().derails) {
        EXPECT_EQ(frames.state.derailOverTime, 0.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(Lengths, Excursion,
                         testing::Values(ExcursionCase{"EightFramesAbove", 1.5f, false},
                                         ExcursionCase{"TwentySevenFramesAbove", 4.0f, true}),
                         CaseName{});

struct ShakeCase {
    const char* name;
    float risk;
    bool shaking;
    float amplitude;
};

class WarningShake : public Derailment, public testing::WithParamInterface<ShakeCase> {};

TEST_P(WarningShake, StartsAboveHalfTheThresholdAndGrowsWithTheRisk) {
    settings.KeyAction.ManualDerailment = false;  // the key holds the risk still
    BoardStraight(5.0);
    frames.state.derailRisk = GetParam().risk;
    frames.Frame({DerailKey});
    const sim::CameraShake& camera = frames.world().Camera();
    EXPECT_EQ(camera.active, GetParam().shaking);
    EXPECT_EQ(frames.state.cameraShaking, GetParam().shaking);
    if (GetParam().shaking) {
        EXPECT_EQ(camera.name, "SKY_DIVING_SHAKE");
        EXPECT_NEAR(camera.amplitude, GetParam().amplitude, 1e-5);
    }
}

INSTANTIATE_TEST_SUITE_P(Risks, WarningShake,
                         testing::Values(ShakeCase{"AtHalf", 0.5f, false, 0.0f},
                                         ShakeCase{"JustAboveHalf", 0.5001f, true, 0.0006f},
                                         ShakeCase{"AtThreshold", 1.0f, true, 3.0f},
                                         ShakeCase{"AboveThreshold", 1.25f, true, 4.5f}),
                         CaseName{});

TEST_F(Derailment, TheShakeStopsWhenTheRiskFallsBackAndIsOffBySetting) {
    BoardStraight(5.0);
    frames.state.derailRisk = 0.6f;
    frames.Frame();
    ASSERT_TRUE(frames.world().Camera().active);
    frames.Frames(10);  // decays below 0.5 on straight track
    EXPECT_FALSE(frames.world().Camera().active);
    EXPECT_FALSE(frames.state.cameraShaking);

    settings.Trains.DerailmentCameraShake = false;
    frames.state.derailRisk = 0.9f;
    frames.Frame();
    EXPECT_FALSE(frames.world().Camera().active);
}

struct FiniteCase {
    const char* name;
    float frameTime;
    float topSpeed;
    float sensitivity;
};

class ExtremeFrames : public Derailment, public testing::WithParamInterface<FiniteCase> {};

TEST_P(ExtremeFrames, KeepTheRiskFiniteAndEveryNativeArgumentANumber) {
    settings.SpeedForward[Freight] = GetParam().topSpeed;
    settings.Derailment[Freight] = GetParam().sensitivity;
    BoardOnCircle(20.0);
    frames.state.derailRisk = 0.4f;
    frames.Frames(30, {}, GetParam().frameTime);
    EXPECT_TRUE(std::isfinite(frames.state.derailRisk));
    EXPECT_GE(frames.state.derailRisk, 0.0f);
    if (!(GetParam().frameTime > 0.0f)) {
        EXPECT_EQ(frames.state.derailRisk, 0.4f) << "no time passed";
    }
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, ExtremeFrames,
                         testing::Values(FiniteCase{"ZeroFrameTime", 0.0f, 40.0f, 0.88f},
                                         FiniteCase{"NegativeFrameTime", -0.01f, 40.0f, 0.88f},
                                         FiniteCase{"TinyFrameTime", 1e-30f, 40.0f, 0.99f},
                                         FiniteCase{"NoTopSpeed", FrameTime, 0.0f, 0.88f},
                                         FiniteCase{"TinyTopSpeed", FrameTime, 1e-38f, 1.0f}),
                         CaseName{});

TEST_F(Derailment, EveryCarBecomesAFreeVehicleWithTheCrewInTheNewLead) {
    settings.Derailment[Freight] = 1.0f;
    const sim::Handle oldLead = BoardStraight(10.0, 2);
    const sim::Handle engineer = frames.world().PedInSeat(oldLead, -1);
    const std::vector<sim::Handle> oldCars = frames.world().Trains()[0].cars;
    std::vector<sim::Vec3> oldPositions;
    for (sim::Handle car : oldCars) oldPositions.push_back(frames.world().FindVehicle(car)->position);

    ASSERT_GT(FramesUntilDerailed(60), 0);
    EXPECT_EQ(CallsOf(sim::native::DELETE_ALL_TRAINS), 1);
    EXPECT_EQ(CallsOf(sim::native::CREATE_VEHICLE), 3);
    for (sim::Handle car : oldCars) EXPECT_FALSE(frames.world().Exists(car));

    const std::vector<const sim::Vehicle*> free = FreeVehicles();
    ASSERT_EQ(free.size(), 3u);
    const sim::Handle newLead = frames.state.train;
    EXPECT_EQ(newLead, free[0]->handle);
    EXPECT_EQ(frames.world().PedInSeat(newLead, 0), frames.world().PlayerPed());
    EXPECT_EQ(frames.world().PedInSeat(newLead, -1), engineer);
    ASSERT_EQ(frames.state.wrecks.size(), 2u) << "the carriages, not the lead vehicle the player sits in";
    EXPECT_EQ(frames.state.wreckCount, 2);
    for (std::size_t i = 0; i < free.size(); ++i) {
        const sim::Vehicle& vehicle = *free[i];
        if (i > 0) {
            EXPECT_EQ(frames.state.wrecks[i - 1].vehicle, vehicle.handle);
        }
        EXPECT_EQ(vehicle.model, i == 0 ? sim::FreightLocomotiveModel : sim::ModelFromName("freightcar"));
        EXPECT_NEAR(vehicle.forward.x, 1.0, 1e-6) << "the rotation is kept";
        EXPECT_NEAR(vehicle.velocity.x, 10.0, 0.2) << "the speed is kept, less a frame of friction";
        // Where the car stood: the spacing of the train is kept.
        EXPECT_NEAR(vehicle.position.x - free[0]->position.x, oldPositions[i].x - oldPositions[0].x, 0.01);
        EXPECT_NEAR(vehicle.position.y, oldPositions[i].y, 1e-6);
    }
}

TEST_F(Derailment, ATramMovesItsSecondCarAndThePlayerToTheDriversSeat) {
    settings.Derailment[Tram] = 1.0f;
    const sim::Handle oldLead = AddStraightTrain(frames.world(), TramCars(), 0.0, 500.0);
    PutPlayerInCab(frames, oldLead, Tram, -1);
    const sim::Handle second = frames.world().Trains()[0].cars[1];
    const sim::Vec3 secondAt = frames.world().FindVehicle(second)->position;
    const sim::Vec3 leadAt = frames.world().FindVehicle(oldLead)->position;

    ASSERT_GT(FramesUntilDerailed(60), 0);
    const std::vector<const sim::Vehicle*> free = FreeVehicles();
    ASSERT_EQ(free.size(), 2u);
    EXPECT_EQ(frames.world().PedInSeat(frames.state.train, -1), frames.world().PlayerPed());
    EXPECT_NEAR(free[0]->position.x, leadAt.x, 1e-3) << "the lead vehicle in place";
    // The second car faces backwards, so 0.9 m along its own heading is 0.9 m towards -x.
    EXPECT_NEAR(free[1]->position.x, secondAt.x - 0.9, 1e-3);
}

TEST_F(Derailment, AfterTheConversionTheCabFrameOnlyWaitsForTheLeaveControl) {
    settings.Derailment[Freight] = 1.0f;
    BoardStraight(10.0);
    ASSERT_GT(FramesUntilDerailed(60), 0);
    frames.Frame({71});
    EXPECT_EQ(CallsOf(sim::native::SET_TRAIN_SPEED), 0);
    EXPECT_EQ(CallsOf(sim::native::GET_ENTITY_FORWARD_X), 0);
    EXPECT_TRUE(frames.world().Frame().texts.empty());
}

// At the moment of derailment the train is gone, or the game creates no vehicle: nobody is
// put into a vehicle with handle 0, and the cab keeps a handle the leave control can use.
struct MissingLeadCase {
    const char* name;
    bool trainVanishes;
    TrainType type;
};

class MissingLead : public Derailment, public testing::WithParamInterface<MissingLeadCase> {};

TEST_P(MissingLead, PutsNobodyIntoHandleZero) {
    settings.Derailment[Freight] = settings.Derailment[Tram] = 1.0f;
    const sim::Handle lead = AddStraightTrain(frames.world(), GetParam().type == Tram ? TramCars() : FreightCars(2), 5.0);
    PutPlayerInCab(frames, lead, GetParam().type, 0);
    frames.Frames(5);
    if (GetParam().trainVanishes) {
        frames.world().VanishTrain("train 0");
    } else {
        sim::hook::RegisterNative(sim::native::CREATE_VEHICLE, [](sim::hook::NativeCall&) {});
    }
    bool putIntoZero = false;
    for (int frame = 0; frame < 30 && !frames.state.derailed; ++frame) {
        frames.Frame();
        for (const auto& call : sim::hook::CallLog()) {
            putIntoZero |= call.hash == sim::native::SET_PED_INTO_VEHICLE && static_cast<std::int32_t>(call.arguments[1]) == 0;
        }
    }
    EXPECT_TRUE(frames.state.derailed);
    EXPECT_FALSE(putIntoZero);
    EXPECT_EQ(frames.state.train, lead);
    for (const WreckRecord& wreck : frames.state.wrecks) EXPECT_NE(wreck.vehicle, 0);

    // The player is not stuck: the leave control still ends the ride.
    frames.Frame({LeaveKey});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    frames.Frames(60);
    EXPECT_EQ(frames.world().FindPed(frames.world().PlayerPed())->vehicle, 0);
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Causes, MissingLead,
                         testing::Values(MissingLeadCase{"FreightVanished", true, Freight},
                                         MissingLeadCase{"TramVanished", true, Tram},
                                         MissingLeadCase{"FreightNotCreated", false, Freight},
                                         MissingLeadCase{"TramNotCreated", false, Tram}),
                         CaseName{});

}  // namespace
}  // namespace kelvane
