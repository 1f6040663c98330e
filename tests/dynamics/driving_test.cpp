// The driving controls in the cab, through the stand-in: each frame's throttle, brake and
// handbrake, and the speed imposed on the train.

#include <gtest/gtest.h>

#include <cmath>

#include "config/settings.h"
#include "dynamics/driving.h"
#include "dynamics/formulas.h"
#include "support/cab_frames.h"
#include "support/case_name.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CabFrames;
using kelvane_test::CaseName;

constexpr int Throttle = 71, Brake = 72, Handbrake = 76;
constexpr float FrameTime = CabFrames::DefaultFrameTime;

class Driving : public testing::Test {
protected:
    // The player already in the cab of a train standing on a long line.
    void Board(TrainType type, float speed) {
        settings = Settings{};
        ApplyDefaults();
        frames.world().AddTrack(sim::Track("line", {{0, 0, 0}, {100000, 0, 0}}, false));
        sim::TrainSpec definition;
        definition.name = "train";
        definition.distance = 50000.0;
        definition.cars = type == Tram ? std::vector<sim::CarSpec>{{sim::TramModel, false}, {sim::TramModel, true}}
                                 : std::vector<sim::CarSpec>{{sim::FreightLocomotiveModel, false}};
        frames.world().AddTrain(definition);
        frames.state.phase = CabPhase::InCab;
        frames.state.train = frames.world().Trains()[0].cars[0];
        frames.state.trainType = type;
        frames.state.speed = speed;
    }
    double TrainSpeed() { return frames.world().Trains()[0].speed; }

    // The speed that SET_TRAIN_SPEED imposed in the last frame.
    float ImposedSpeed() {
        for (const auto& call : sim::hook::CallLog()) {
            if (call.hash == sim::native::SET_TRAIN_SPEED) {
                EXPECT_EQ(static_cast<std::int32_t>(call.arguments[0]), frames.state.train);
                return call.arguments[1] == 0 ? 0.0f : std::bit_cast<float>(static_cast<std::uint32_t>(call.arguments[1]));
            }
        }
        ADD_FAILURE() << "no SET_TRAIN_SPEED this frame";
        return NAN;
    }

    CabFrames frames;
};

TEST_F(Driving, TheSpeedIsImposedInEveryFrameEvenWithoutControls) {
    Board(Freight, 7.5f);
    for (int i = 0; i < 5; ++i) {
        frames.Frame();
        EXPECT_EQ(ImposedSpeed(), 7.5f);
        EXPECT_EQ(TrainSpeed(), 7.5);
    }
    EXPECT_EQ(frames.state.direction, 1);
}

TEST_F(Driving, ThrottleAcceleratesAlongTheAccelerationCurve) {
    Board(Freight, 0.0f);
    frames.Frame({Throttle});
    // From rest the curve gives 0.2 of the acceleration (1.0 m/s² for freight).
    EXPECT_FLOAT_EQ(frames.state.speed, 0.2f * 1.0f * FrameTime);
    frames.Frames(60 * 20, {Throttle});
    EXPECT_GT(frames.state.speed, 15.0f);
    EXPECT_LT(frames.state.speed, 40.0f);
    EXPECT_FLOAT_EQ(static_cast<float>(TrainSpeed()), frames.state.speed) << "the train follows the command";
}

TEST_F(Driving, ThrottleAndBrakeTogetherAddThenTakeOff) {
    Board(Freight, 10.0f);
    frames.Frame({Throttle, Brake});
    // The brake's step is taken at the speed the throttle has just left.
    const float afterThrottle = 10.0f + AccelerationStep(10.0f, 40.0f, 1.0f);
    const float expected = afterThrottle - BrakingStep(afterThrottle, 40.0f, 2.5f);
    EXPECT_FLOAT_EQ(frames.state.speed, expected);
    EXPECT_LT(frames.state.speed, 10.0f) << "braking outweighs the throttle at 10 m/s";
}

TEST_F(Driving, BrakeThroughZeroIntoReverse) {
    Board(Freight, 0.5f);
    frames.Frame({Brake});
    EXPECT_FLOAT_EQ(frames.state.speed, 0.5f - BrakingStep(0.5f, 40.0f, 2.5f));
    int framesToStop = 1;
    while (frames.state.speed > 0.0f && framesToStop < 600) {
        frames.Frame({Brake});
        ++framesToStop;
    }
    EXPECT_LT(framesToStop, 60) << "0.5 m/s takes under a second to brake away";
    frames.Frames(180, {Brake});
    EXPECT_EQ(frames.state.direction, -1);
    EXPECT_LT(frames.state.speed, -0.5f) << "the brake held at a standstill drives backwards";
    EXPECT_LT(frames.world().FindVehicle(frames.state.train)->velocity.x, 0.0);
}

TEST_F(Driving, ThrottleWhileRollingBackwardsBrakes) {
    Board(Freight, -5.0f);
    frames.Frame({Throttle});
    EXPECT_FLOAT_EQ(frames.state.speed, -5.0f + BrakingStep(-5.0f, 40.0f, 2.5f));
}

TEST_F(Driving, ReversingUsesTheBackwardTopSpeed) {
    Board(Freight, -1.0f);
    frames.Frame({Brake});
    EXPECT_FLOAT_EQ(frames.state.speed, -1.0f - AccelerationStep(-1.0f, 15.0f, 1.0f));
}

struct HandbrakeCase {
    const char* name;
    TrainType type;
    float from;
    float rest;
};

class HandbrakeRest : public Driving, public testing::WithParamInterface<HandbrakeCase> {};

TEST_P(HandbrakeRest, StopsAtTheRestSpeedOfTheTrainType) {
    Board(GetParam().type, GetParam().from);
    for (int i = 0; i < 600 && frames.state.speed != GetParam().rest; ++i) frames.Frame({Handbrake});
    EXPECT_EQ(frames.state.speed, GetParam().rest);
    frames.Frames(30, {Handbrake});
    EXPECT_EQ(frames.state.speed, GetParam().rest) << "and stays there while held";
    EXPECT_EQ(ImposedSpeed(), GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(Types, HandbrakeRest,
                         testing::Values(HandbrakeCase{"FreightRollingForwards", Freight, 8.0f, 0.0f},
                                         HandbrakeCase{"FreightRollingBackwards", Freight, -3.0f, 0.0f},
                                         HandbrakeCase{"FreightAtRest", Freight, 0.0f, 0.0f},
                                         HandbrakeCase{"TramRollingForwards", Tram, 6.0f, static_cast<float>(-0.04)},
                                         HandbrakeCase{"TramAtRest", Tram, 0.0f, static_cast<float>(-0.04)}),
                         CaseName{});

TEST_F(Driving, ATramUsesItsOwnSettings) {
    Board(Tram, 0.0f);
    frames.Frame({Throttle});
    EXPECT_FLOAT_EQ(frames.state.speed, 0.2f * 2.4f * FrameTime);
}

struct ExtremeCase {
    const char* name;
    float speedForward, speedBackward, acceleration, braking;
};

class ExtremeSettings : public Driving, public testing::WithParamInterface<ExtremeCase> {};

TEST_P(ExtremeSettings, NeverHandTheGameAnInfiniteOrUndefinedSpeed) {
    Board(Freight, 0.0f);
    const ExtremeCase& c = GetParam();
    settings.SpeedForward[Freight] = c.speedForward;
    settings.SpeedBackward[Freight] = c.speedBackward;
    settings.Acceleration[Freight] = c.acceleration;
    settings.Braking[Freight] = c.braking;
    const std::set<int> patterns[] = {{Throttle}, {Brake}, {Throttle, Brake}, {Handbrake}, {Brake, Handbrake}};
    for (const std::set<int>& held : patterns) {
        for (int i = 0; i < 120; ++i) {
            frames.Frame(held);
            ASSERT_TRUE(std::isfinite(frames.state.speed)) << c.name;
            ASSERT_TRUE(std::isfinite(ImposedSpeed())) << c.name;
        }
    }
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ExtremeSettings,
    testing::Values(ExtremeCase{"NoTopSpeeds", 0.0f, 0.0f, 1.0f, 2.5f},
                    ExtremeCase{"NegativeTopSpeeds", -40.0f, -15.0f, 1.0f, 2.5f},
                    ExtremeCase{"TinyTopSpeeds", 1e-30f, 1e-30f, 1.0f, 2.5f},
                    ExtremeCase{"LargestValues", 3.4e38f, 3.4e38f, 3.4e38f, 3.4e38f},
                    ExtremeCase{"LargestAcceleration", 40.0f, 15.0f, 3.4e38f, 2.5f},
                    ExtremeCase{"NegativeAccelerationAndBraking", 40.0f, 15.0f, -3.4e38f, -3.4e38f},
                    // As a file without these keys leaves them.
                    ExtremeCase{"AllZero", 0.0f, 0.0f, 0.0f, 0.0f}),
    CaseName{});

TEST_F(Driving, WithoutATopSpeedTheTrainHasNoPowerButStillBrakes) {
    Board(Freight, 0.0f);
    settings.SpeedForward[Freight] = 0.0f;
    settings.SpeedBackward[Freight] = 0.0f;
    frames.Frames(60, {Throttle});
    EXPECT_EQ(frames.state.speed, 0.0f);
    frames.state.speed = 10.0f;
    frames.Frame({Brake});
    EXPECT_FLOAT_EQ(frames.state.speed, 10.0f - 2.5f * FrameTime) << "the full braking value";
}

TEST_F(Driving, AFrameTimeOfZeroChangesNothing) {
    Board(Freight, 5.0f);
    frames.Frames(10, {Throttle, Brake, Handbrake}, 0.0f);
    EXPECT_EQ(frames.state.speed, 5.0f);
}

}  // namespace
}  // namespace kelvane
