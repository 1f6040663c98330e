// kelvane-sim curves: properties that follow from the motion model, not the model again.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <sstream>
#include <string>

#include "commands.h"
#include "config/settings.h"
#include "curves.h"
#include "dynamics/derailment_target.h"
#include "support/default_settings.h"
#include "support/temp_folder.h"

namespace kelvane_sim {
namespace {

using kelvane::Freight;
using kelvane::Tram;
using kelvane::TrainType;

class Curves : public testing::Test {
protected:
    void SetUp() override { kelvane::settings = kelvane_test::DefaultSettings(); }
    void TearDown() override { kelvane::settings = {}; }
};

std::string TypeName(TrainType type) { return type == Freight ? "Freight" : "Tram"; }

class CurvesOfType : public Curves, public testing::WithParamInterface<TrainType> {};

TEST_P(CurvesOfType, NinetyPercentTakesLongerAndFartherThanHalf) {
    const TypeCurves curves = ComputeCurves(GetParam());
    ASSERT_EQ(curves.forwardHalf.outcome, Outcome::Reached);
    ASSERT_EQ(curves.forwardNinety.outcome, Outcome::Reached);
    EXPECT_GT(curves.forwardHalf.seconds, 0.0);
    EXPECT_LT(curves.forwardHalf.seconds, curves.forwardNinety.seconds);
    EXPECT_LT(curves.forwardHalf.metres, curves.forwardNinety.metres);
    // Never faster than the top speed on the way there, never slower than at rest.
    EXPECT_LT(curves.forwardNinety.metres, curves.forwardTop * curves.forwardNinety.seconds);
}

TEST_P(CurvesOfType, TheThrottleNeverSlowsTheTrainBelowItsTopSpeed) {
    const TypeCurves curves = ComputeCurves(GetParam());
    float previous = 0.0f;
    for (const float speed : curves.throttleRun.speeds) {
        if (previous >= curves.forwardTop) break;
        EXPECT_GT(speed, previous);
        previous = speed;
    }
}

TEST_P(CurvesOfType, ReversePowerReachesTheBackwardTopSpeed) {
    const TypeCurves curves = ComputeCurves(GetParam());
    ASSERT_EQ(curves.backwardNinety.outcome, Outcome::Reached);
    const std::size_t frame = static_cast<std::size_t>(std::lround(curves.backwardNinety.seconds * CurvesFramesPerSecond));
    EXPECT_LE(curves.reverseRun.speeds[frame - 1], -0.9f * curves.backwardTop);
    EXPECT_GT(curves.reverseRun.speeds[frame - 2], -0.9f * curves.backwardTop);
}

TEST_P(CurvesOfType, TheHandbrakeStopsExactlyAsTheBrakeDoes) {
    // Rolling forwards, both brake by the same step until the train stands.
    for (const float braking : {0.5f, 2.5f, 9.0f}) {
        kelvane::settings.Braking[GetParam()] = braking;
        const TypeCurves curves = ComputeCurves(GetParam());
        ASSERT_EQ(curves.brakeStop.outcome, Outcome::Reached);
        EXPECT_EQ(curves.handbrakeStop.seconds, curves.brakeStop.seconds) << braking;
        EXPECT_EQ(curves.handbrakeStop.metres, curves.brakeStop.metres) << braking;
    }
}

TEST_P(CurvesOfType, BrakingLiesBetweenHalfAndFullDeceleration) {
    // Below the top speed the deceleration lies between half the braking value and the
    // full value, so the stop lies between what those two constant decelerations give.
    const TypeCurves curves = ComputeCurves(GetParam());
    const double top = curves.forwardTop;
    const double braking = kelvane::settings.Braking[GetParam()];
    const double frame = CurvesFrameTime;
    ASSERT_EQ(curves.brakeStop.outcome, Outcome::Reached);
    EXPECT_GE(curves.brakeStop.seconds, top / braking);
    EXPECT_LE(curves.brakeStop.seconds, 2.0 * top / braking + frame);
    EXPECT_GE(curves.brakeStop.metres, top * top / (2.0 * braking) - top * frame);
    EXPECT_LE(curves.brakeStop.metres, top * top / braking);
}

TEST_P(CurvesOfType, MoreAccelerationGetsThereSooner) {
    const TypeCurves weak = ComputeCurves(GetParam());
    kelvane::settings.Acceleration[GetParam()] *= 2.0f;
    const TypeCurves strong = ComputeCurves(GetParam());
    EXPECT_LT(strong.forwardNinety.seconds, weak.forwardNinety.seconds);
    EXPECT_LT(strong.forwardNinety.metres, weak.forwardNinety.metres);
    EXPECT_LT(strong.backwardNinety.seconds, weak.backwardNinety.seconds);
}

TEST_P(CurvesOfType, NoForwardTopSpeedIsNeverReached) {
    kelvane::settings.SpeedForward[GetParam()] = 0.0f;
    const TypeCurves curves = ComputeCurves(GetParam());
    for (const Goal* goal : {&curves.forwardHalf, &curves.forwardNinety, &curves.brakeStop, &curves.handbrakeStop}) {
        EXPECT_EQ(goal->outcome, Outcome::NoTopSpeed);
    }
    EXPECT_TRUE(curves.throttleRun.settled) << "without a top speed the throttle gives nothing";
    EXPECT_EQ(curves.backwardNinety.outcome, Outcome::Reached) << "reverse power does not need it";
}

TEST_P(CurvesOfType, NoBackwardTopSpeedIsNeverReached) {
    kelvane::settings.SpeedBackward[GetParam()] = 0.0f;
    EXPECT_EQ(ComputeCurves(GetParam()).backwardNinety.outcome, Outcome::NoTopSpeed);
}

TEST_P(CurvesOfType, NoAccelerationNeverGetsTheTrainGoing) {
    kelvane::settings.Acceleration[GetParam()] = 0.0f;
    const TypeCurves curves = ComputeCurves(GetParam());
    EXPECT_EQ(curves.forwardHalf.outcome, Outcome::Never);
    EXPECT_EQ(curves.backwardNinety.outcome, Outcome::Never);
    EXPECT_LT(curves.throttleRun.speeds.size(), 10u) << "a speed that no longer changes ends the run";
}

TEST_P(CurvesOfType, NoBrakingNeverStops) {
    kelvane::settings.Braking[GetParam()] = 0.0f;
    const TypeCurves curves = ComputeCurves(GetParam());
    EXPECT_EQ(curves.brakeStop.outcome, Outcome::Never);
    EXPECT_EQ(curves.handbrakeStop.outcome, Outcome::Never);
}

TEST_P(CurvesOfType, ABarelyMovingTrainIsNotWaitedForForever) {
    kelvane::settings.Acceleration[GetParam()] = 1e-4f;
    const TypeCurves curves = ComputeCurves(GetParam());
    EXPECT_EQ(curves.forwardNinety.outcome, Outcome::NotWithinLimit);
    EXPECT_EQ(curves.throttleRun.speeds.size(), static_cast<std::size_t>(CurvesFrameLimit));
}

INSTANTIATE_TEST_SUITE_P(Types, CurvesOfType, testing::Values(Freight, Tram),
                         [](const auto& info) { return TypeName(info.param); });

struct SensitivityCase {
    const char* name;
    float sensitivity;
    DerailmentLimit limit;
};

class DerailmentOfSensitivity : public Curves, public testing::WithParamInterface<SensitivityCase> {};

TEST_P(DerailmentOfSensitivity, SaysWhenTheTrainDerails) {
    kelvane::settings.Derailment[Freight] = GetParam().sensitivity;
    const TypeCurves curves = ComputeCurves(Freight);
    EXPECT_EQ(curves.derailment, GetParam().limit);
    EXPECT_EQ(curves.derailmentPoints.empty(), GetParam().limit != DerailmentLimit::TurnRate);
}

INSTANTIATE_TEST_SUITE_P(Sensitivities, DerailmentOfSensitivity,
                         testing::Values(SensitivityCase{"Zero", 0.0f, DerailmentLimit::Never},
                                         SensitivityCase{"Small", 0.01f, DerailmentLimit::TurnRate},
                                         SensitivityCase{"Default", 0.88f, DerailmentLimit::TurnRate},
                                         SensitivityCase{"AlmostOne", 0.999f, DerailmentLimit::TurnRate},
                                         SensitivityCase{"One", 1.0f, DerailmentLimit::Always}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Curves, TheTightestCurveIsTheSpeedOverTheDerailingTurnRate) {
    kelvane::settings.Derailment[Freight] = 0.75f;
    kelvane::settings.SpeedForward[Freight] = 40.0f;
    const TypeCurves curves = ComputeCurves(Freight);
    ASSERT_EQ(curves.derailmentPoints.size(), 4u);
    for (const DerailmentPoint& point : curves.derailmentPoints) {
        // (1 - D) pi / f with f = max(1, 2 |v| / top speed).
        const double factor = std::max(1.0, 2.0 * point.speed / 40.0);
        EXPECT_NEAR(point.turnRate, 0.25 * std::numbers::pi / factor, 1e-6) << point.speed;
        EXPECT_FLOAT_EQ(point.radius, point.speed / point.turnRate);
        // The plug-in's own target passes 1 right there.
        EXPECT_LT(kelvane::DerailmentTarget(point.turnRate * 0.999f, point.speed, 0.75f, 40.0f), 1.0f);
        EXPECT_GT(kelvane::DerailmentTarget(point.turnRate * 1.001f, point.speed, 0.75f, 40.0f), 1.0f);
    }
    // Up to half the top speed the speed factor is 1: the same turn rate, a wider curve.
    EXPECT_FLOAT_EQ(curves.derailmentPoints[0].turnRate, curves.derailmentPoints[1].turnRate);
    for (std::size_t i = 1; i < curves.derailmentPoints.size(); ++i) {
        EXPECT_GT(curves.derailmentPoints[i].radius, curves.derailmentPoints[i - 1].radius);
    }
}

TEST_F(Curves, TheCommandSaysNeverForATopSpeedOfZero) {
    kelvane_test::TempFolder folder;
    kelvane_test::WriteFile("Kelvane.ini", "Train.SpeedForward = 0\nTrain.Acceleration = 1\nTram.SpeedForward = 25\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunCurvesCommand("Kelvane.ini", std::nullopt, out, err), 0);
    EXPECT_NE(out.str().find("throttle from rest to 90 % of the forward top speed      never"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("Derailment, freight train (sensitivity 0): never"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace kelvane_sim
