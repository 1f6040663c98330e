// The geometry and speed formulas, with the game's answers (frame time, an entity's
// heading and motion) given by handlers registered with the stand-in hook.

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <vector>

#include "config/settings.h"
#include "dynamics/formulas.h"
#include "hook/hook.h"
#include "support/case_name.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CaseName;

constexpr float Pi = static_cast<float>(std::numbers::pi);
constexpr float HalfPi = static_cast<float>(std::numbers::pi / 2.0);

// A test whose formulas ask the game for the frame time; it answers frameTime.
class WithFrameTime : public testing::Test {
protected:
    void SetUp() override {
        sim::hook::Reset();
        settings = Settings{};
        sim::hook::RegisterNative(sim::native::GET_FRAME_TIME,
                                  [this](sim::hook::NativeCall& call) { call.ReturnFloat(frameTime); });
    }
    void TearDown() override {
        sim::hook::Reset();
        settings = Settings{};
    }

    static long FrameTimeQueries() {
        const auto& log = sim::hook::CallLog();
        return std::count_if(log.begin(), log.end(), [](const sim::hook::LoggedCall& call) {
            return call.hash == sim::native::GET_FRAME_TIME;
        });
    }

    float frameTime = 0.02f;
};

// ---- AngleBetween2D ----

struct AngleCase {
    const char* name;
    float ax, ay, bx, by;
    float angle;
};

class AngleBetween2DTest : public testing::TestWithParam<AngleCase> {};

TEST_P(AngleBetween2DTest, GivesTheUnsignedAngle) {
    const AngleCase& c = GetParam();
    EXPECT_FLOAT_EQ(AngleBetween2D(c.ax, c.ay, c.bx, c.by), c.angle);
    EXPECT_FLOAT_EQ(AngleBetween2D(c.bx, c.by, c.ax, c.ay), c.angle) << "either order gives the same angle";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AngleBetween2DTest,
    testing::Values(AngleCase{"RightAngle", 1, 0, 0, 1, HalfPi}, AngleCase{"Opposite", 1, 0, -1, 0, Pi},
                    AngleCase{"SameDirection", 1, 0, 2, 0, 0.0f}, AngleCase{"RightAngleClockwise", 1, 0, 0, -1, HalfPi},
                    AngleCase{"Diagonal", 1, 0, 3, 3, Pi / 4.0f}, AngleCase{"RightAngleOffAxis", 3, 4, -4, 3, HalfPi},
                    AngleCase{"OppositeOffAxis", 3, 4, -6, -8, Pi},
                    // A vector without length.
                    AngleCase{"FirstWithoutLength", 0, 0, 1, 0, 0.0f}, AngleCase{"BothWithoutLength", 0, 0, 0, 0, 0.0f},
                    AngleCase{"SecondWithoutLength", -5, 2, 0, 0, 0.0f}),
    CaseName{});

TEST(AngleBetween2D, ParallelVectorsWhoseCosineRoundsPastOneStillGiveAnAngle) {
    // sqrt(2) x sqrt(2) rounds to just below 2 in floats, so the cosine of (1, 1) with
    // itself comes out just above 1, and that of (1, 1) with (-2, -2) just below -1.
    const float root2 = std::sqrt(2.0f);
    const float root8 = std::sqrt(8.0f);
    ASSERT_GT(2.0f / (root2 * root2), 1.0f) << "premise of this test";
    ASSERT_LT(-4.0f / (root2 * root8), -1.0f) << "premise of this test";

    EXPECT_EQ(AngleBetween2D(1, 1, 1, 1), 0.0f);
    EXPECT_FLOAT_EQ(AngleBetween2D(1, 1, -2, -2), Pi);
}

// ---- SignedTrainSpeed ----

struct MotionCase {
    const char* name;
    float forwardX, forwardY;
    float velocityX, velocityY;
    float speed;
    float signedSpeed;
};

class SignedTrainSpeedTest : public testing::TestWithParam<MotionCase> {
protected:
    void SetUp() override { sim::hook::Reset(); }
    void TearDown() override { sim::hook::Reset(); }

    // The game's answers for a train moving as the case says.
    static void AnswerMotion(const MotionCase& c) {
        using sim::hook::NativeCall;
        sim::hook::RegisterNative(sim::native::GET_ENTITY_FORWARD_X, [c](NativeCall& call) { call.ReturnFloat(c.forwardX); });
        sim::hook::RegisterNative(sim::native::GET_ENTITY_FORWARD_Y, [c](NativeCall& call) { call.ReturnFloat(c.forwardY); });
        sim::hook::RegisterNative(sim::native::GET_ENTITY_SPEED_VECTOR,
                                  [c](NativeCall& call) { call.ReturnVector(c.velocityX, c.velocityY, 0.25f); });
        sim::hook::RegisterNative(sim::native::GET_ENTITY_SPEED, [c](NativeCall& call) { call.ReturnFloat(c.speed); });
    }
};

// A velocity of the given length at the given angle off the heading (1, 0).
MotionCase OffHeading(const char* name, double angle, float speed, float signedSpeed) {
    return MotionCase{name, 1.0f, 0.0f, static_cast<float>(speed * std::cos(angle)),
                      static_cast<float>(speed * std::sin(angle)), speed, signedSpeed};
}

TEST_P(SignedTrainSpeedTest, IsNegativeWhenTheMotionIsOffTheHeading) {
    const MotionCase& c = GetParam();
    AnswerMotion(c);
    EXPECT_EQ(SignedTrainSpeed(12), c.signedSpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SignedTrainSpeedTest,
    testing::Values(MotionCase{"Forwards", 1, 0, 5, 0, 5, 5}, MotionCase{"Backwards", 1, 0, -5, 0, 5, -5},
                    MotionCase{"AtRest", 0, 1, 0, 0, 0, 0},
                    MotionCase{"BackwardsOnADiagonal", 0.6f, 0.8f, -3, -4, 5, -5},
                    MotionCase{"ForwardsOnADiagonal", -0.6f, 0.8f, -3, 4, 5, 5},
                    OffHeading("JustUnderTheLimitOff", 0.299, 5, 5), OffHeading("JustOverTheLimitOff", 0.301, 5, -5),
                    OffHeading("JustUnderTheLimitOffToTheRight", -0.299, 5, 5),
                    OffHeading("Sideways", std::numbers::pi / 2, 5, -5)),
    CaseName{});

TEST(SignedTrainSpeed, AsksHeadingThenWorldVelocityThenSpeedOfTheEntity) {
    sim::hook::Reset();
    SignedTrainSpeed(12);
    const auto& log = sim::hook::CallLog();
    const std::vector<std::uint64_t> expected = {sim::native::GET_ENTITY_FORWARD_X, sim::native::GET_ENTITY_FORWARD_Y,
                                                 sim::native::GET_ENTITY_SPEED_VECTOR, sim::native::GET_ENTITY_SPEED};
    ASSERT_EQ(log.size(), expected.size());
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].hash, expected[i]) << "call " << i;
        EXPECT_EQ(log[i].arguments[0], 12u) << "call " << i;
    }
    ASSERT_EQ(log[2].argumentCount, 2);
    EXPECT_EQ(log[2].arguments[1], 0u) << "velocity in world axes, not relative to the entity";
    sim::hook::Reset();
}

// ---- DistanceToLine2D and DistanceToSegment2D ----

struct DistanceCase {
    const char* name;
    float px, py, ax, ay, bx, by;
    float distance;
};

class DistanceToLine2DTest : public testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceToLine2DTest, MeasuresToTheInfiniteLine) {
    const DistanceCase& c = GetParam();
    EXPECT_FLOAT_EQ(DistanceToLine2D(c.px, c.py, c.ax, c.ay, c.bx, c.by), c.distance);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistanceToLine2DTest,
    testing::Values(DistanceCase{"AboveTheStart", 0, 5, 0, 0, 10, 0, 5},
                    DistanceCase{"BeyondTheEnd", 20, 5, 0, 0, 10, 0, 5},
                    DistanceCase{"BeforeTheStartBelow", -7, -5, 0, 0, 10, 0, 5},
                    DistanceCase{"EndsSwapped", -7, -5, 10, 0, 0, 0, 5},
                    DistanceCase{"OnTheLine", 4, 0, 0, 0, 10, 0, 0},
                    DistanceCase{"DiagonalLineFromTheOrigin", 0, 0, 1, 0, 0, 1, std::sqrt(0.5f)},
                    DistanceCase{"DiagonalLineFromBeyond", 1, 1, 1, 0, 0, 1, std::sqrt(0.5f)},
                    DistanceCase{"VerticalLine", 13, 7, 10, 3, 10, 50, 3},
                    // A and B coincide: no line.
                    DistanceCase{"NoLine", 3, 4, 1, 1, 1, 1, 0}),
    CaseName{});

class DistanceToSegment2DTest : public testing::TestWithParam<DistanceCase> {};

TEST_P(DistanceToSegment2DTest, MeasuresToTheNearestPointOfTheSegment) {
    const DistanceCase& c = GetParam();
    EXPECT_FLOAT_EQ(DistanceToSegment2D(c.px, c.py, c.ax, c.ay, c.bx, c.by), c.distance);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DistanceToSegment2DTest,
    testing::Values(DistanceCase{"BeyondB", 20, 5, 0, 0, 10, 0, std::sqrt(125.0f)},
                    DistanceCase{"BeforeA", -3, 4, 0, 0, 10, 0, 5},
                    DistanceCase{"AboveTheMiddle", 5, 5, 0, 0, 10, 0, 5},
                    DistanceCase{"BelowTheMiddle", 5, -5, 0, 0, 10, 0, 5}, DistanceCase{"AtB", 10, 0, 0, 0, 10, 0, 0},
                    DistanceCase{"BesideADiagonal", 2, 0, 0, 0, 2, 2, std::sqrt(2.0f)},
                    DistanceCase{"BesideAVerticalSegment", 0, 0, 5, 1, 5, -1, 5},
                    // A and B coincide: the distance to A.
                    DistanceCase{"APoint", 4, 5, 1, 1, 1, 1, 5}),
    CaseName{});

// ---- AccelerationStep ----

struct CurveCase {
    const char* name;
    float speed;
    float maxSpeed;
    float factor;  // the gain per unit of acceleration and of frame time
};

class AccelerationCurve : public WithFrameTime, public testing::WithParamInterface<CurveCase> {};

TEST_P(AccelerationCurve, FollowsThePiecewiseCurveForEitherDirection) {
    const CurveCase& c = GetParam();
    frameTime = 1.0f;
    EXPECT_NEAR(AccelerationStep(c.speed, c.maxSpeed, 1.0f), c.factor, 1e-6f);
    EXPECT_EQ(AccelerationStep(-c.speed, c.maxSpeed, 1.0f), AccelerationStep(c.speed, c.maxSpeed, 1.0f));
    // Scaled by acceleration and frame time.
    frameTime = 0.02f;
    EXPECT_NEAR(AccelerationStep(c.speed, c.maxSpeed, 2.5f), c.factor * 2.5f * 0.02f, 1e-7f);
}

// Pieces: rising from 0.2 at rest to 1.0 at 0.5 m/s, falling linearly to 0.02 at
// maxSpeed, and on to 0 at twice maxSpeed and below.
INSTANTIATE_TEST_SUITE_P(
    Table, AccelerationCurve,
    testing::Values(CurveCase{"AtRest", 0, 40, 0.2f}, CurveCase{"HalfWayUp", 0.25f, 40, 0.6f},
                    CurveCase{"AtThePeak", 0.5f, 40, 1.0f}, CurveCase{"AtTopSpeed", 40, 40, 0.02f},
                    CurveCase{"AtTwiceTopSpeed", 80, 40, 0.0f}, CurveCase{"HalfWayDown", 20.25f, 40, 0.51f},
                    CurveCase{"BeyondTopSpeed", 60, 40, 0.01f}, CurveCase{"BeyondTwiceTopSpeed", 120, 40, -0.02f},
                    CurveCase{"JustBelowThePeak", 0.4999f, 40, 0.99984f}, CurveCase{"TramAtThePeak", 0.5f, 25, 1.0f},
                    CurveCase{"TramHalfWayDown", 12.75f, 25, 0.51f}, CurveCase{"TramAtTopSpeed", 25, 25, 0.02f},
                    CurveCase{"TramAtTwiceTopSpeed", 50, 25, 0.0f}, CurveCase{"EngineerAtTopSpeed", 60, 60, 0.02f},
                    CurveCase{"TramBackwardsAtTopSpeed", 7, 7, 0.02f},
                    CurveCase{"TramBackwardsAtTwiceTopSpeed", 14, 7, 0.0f},
                    // A maxSpeed of 0.5 or less skips the middle piece.
                    CurveCase{"LowTopSpeedRising", 0.3f, 0.4f, 0.68f},
                    CurveCase{"LowTopSpeedBeyondIt", 0.5f, 0.4f, 0.015f},
                    CurveCase{"LowTopSpeedAtTwiceIt", 0.8f, 0.4f, 0.0f}),
    CaseName{});

TEST_F(WithFrameTime, AccelerationStepExamples) {
    frameTime = 0.02f;
    EXPECT_FLOAT_EQ(AccelerationStep(0, 40, 1), 0.004f);
    EXPECT_FLOAT_EQ(AccelerationStep(40, 40, 1), 0.02f * 0.02f);
    EXPECT_EQ(AccelerationStep(-40, 40, 1), AccelerationStep(40, 40, 1));
    EXPECT_EQ(AccelerationStep(80, 40, 1), 0.0f) << "no gain at twice maxSpeed";
    EXPECT_EQ(AccelerationStep(50, 25, 2.4f), 0.0f);
}

TEST_F(WithFrameTime, EachSpeedStepAsksTheFrameTimeOnce) {
    AccelerationStep(3, 40, 1);
    EXPECT_EQ(FrameTimeQueries(), 1);
    BrakingStep(3, 40, 1);
    EXPECT_EQ(FrameTimeQueries(), 2);
    // Also where the result does not depend on it.
    AccelerationStep(3, 0, 1);
    BrakingStep(3, 0, 1);
    EXPECT_EQ(FrameTimeQueries(), 4);
    EXPECT_EQ(sim::hook::CallLog().size(), 4u) << "no other natives";
}

// ---- BrakingStep ----

struct BrakingCase {
    const char* name;
    float speed;
    float maxSpeed;
    float braking;
    float deceleration;  // the loss per unit of frame time
};

class BrakingCurve : public WithFrameTime, public testing::WithParamInterface<BrakingCase> {};

TEST_P(BrakingCurve, GrowsLinearlyFromHalfBrakingAtRest) {
    const BrakingCase& c = GetParam();
    frameTime = 0.02f;
    EXPECT_FLOAT_EQ(BrakingStep(c.speed, c.maxSpeed, c.braking), c.deceleration * 0.02f);
    frameTime = 1.0f / 60.0f;
    EXPECT_FLOAT_EQ(BrakingStep(c.speed, c.maxSpeed, c.braking), c.deceleration / 60.0f);
}

INSTANTIATE_TEST_SUITE_P(Table, BrakingCurve,
                         testing::Values(BrakingCase{"AtRest", 0, 40, 2.5f, 1.25f},
                                         BrakingCase{"AtTopSpeed", 40, 40, 2.5f, 2.5f},
                                         BrakingCase{"BackwardsAtTopSpeed", -40, 40, 2.5f, 2.5f},
                                         BrakingCase{"AtHalfTopSpeed", 20, 40, 2.5f, 1.875f},
                                         BrakingCase{"AtTwiceTopSpeed", 80, 40, 2.5f, 3.75f},
                                         BrakingCase{"TramBackwardsAtHalfTopSpeed", -12.5f, 25, 5.5f, 4.125f},
                                         BrakingCase{"EngineerAtHalfTopSpeed", 30, 60, 4, 3},
                                         BrakingCase{"NoBraking", 10, 40, 0, 0}),
                         CaseName{});

// ---- Mends: no top speed, extreme settings, no frame time ----

TEST_F(WithFrameTime, WithoutATopSpeedATrainGainsNothing) {
    frameTime = 0.02f;
    for (float maxSpeed : {0.0f, -0.0f, -15.0f, -FLT_MAX}) {
        for (float speed : {0.0f, 0.3f, 0.5f, 10.0f, -10.0f, 1000.0f}) {
            EXPECT_EQ(AccelerationStep(speed, maxSpeed, 1.0f), 0.0f) << speed << " at maxSpeed " << maxSpeed;
        }
    }
}

TEST_F(WithFrameTime, WithoutATopSpeedATrainBrakesWithItsFullBraking) {
    frameTime = 0.02f;
    for (float maxSpeed : {0.0f, -0.0f, -15.0f, -FLT_MAX}) {
        for (float speed : {0.0f, 10.0f, -10.0f, FLT_MAX}) {
            EXPECT_FLOAT_EQ(BrakingStep(speed, maxSpeed, 2.5f), 2.5f * 0.02f) << speed << " at maxSpeed " << maxSpeed;
        }
    }
}

TEST_F(WithFrameTime, OverflowingStepsSaturateAtTheFloatRange) {
    frameTime = 100.0f;
    EXPECT_EQ(AccelerationStep(0.5f, 40, FLT_MAX), FLT_MAX);
    EXPECT_EQ(BrakingStep(40, 40, FLT_MAX), FLT_MAX);
    EXPECT_EQ(BrakingStep(40, 40, -FLT_MAX), -FLT_MAX);
    frameTime = 1.0f;
    // A tiny top speed makes the curve beyond it steeply negative, and the speed term of
    // braking enormous; both divisions overflow.
    EXPECT_EQ(AccelerationStep(10, FLT_TRUE_MIN, 1), -FLT_MAX);
    EXPECT_EQ(BrakingStep(FLT_MAX, 1e-30f, 1), FLT_MAX);
}

// Values at and past the edges of what a float can hold.
const float ExtremeSpeeds[] = {0.0f, FLT_TRUE_MIN, 0.3f, 0.5f, 1.0f, -1e6f, FLT_MAX, -FLT_MAX};
const float ExtremeTopSpeeds[] = {FLT_TRUE_MIN, 1e-30f, 0.5f, std::nextafter(0.5f, 1.0f), 40.0f, FLT_MAX,
                                  0.0f,         -1.0f};
const float ExtremeRates[] = {0.0f, 1.0f, FLT_MAX, -FLT_MAX};

TEST_F(WithFrameTime, SpeedStepsStayFiniteForAnyFiniteArguments) {
    for (float time : {0.02f, 1e10f, FLT_MAX, -1.0f}) {
        frameTime = time;
        for (float speed : ExtremeSpeeds) {
            for (float maxSpeed : ExtremeTopSpeeds) {
                for (float rate : ExtremeRates) {
                    EXPECT_TRUE(std::isfinite(AccelerationStep(speed, maxSpeed, rate)))
                        << speed << ' ' << maxSpeed << ' ' << rate << ' ' << time;
                    EXPECT_TRUE(std::isfinite(BrakingStep(speed, maxSpeed, rate)))
                        << speed << ' ' << maxSpeed << ' ' << rate << ' ' << time;
                }
            }
        }
    }
}

TEST_F(WithFrameTime, NoFrameTimeGivesNoStep) {
    frameTime = 0.0f;
    for (float speed : ExtremeSpeeds) {
        for (float maxSpeed : ExtremeTopSpeeds) {
            for (float rate : ExtremeRates) {
                EXPECT_EQ(AccelerationStep(speed, maxSpeed, rate), 0.0f) << speed << ' ' << maxSpeed << ' ' << rate;
                EXPECT_EQ(BrakingStep(speed, maxSpeed, rate), 0.0f) << speed << ' ' << maxSpeed << ' ' << rate;
            }
        }
    }
}

// ---- StoppingDistance ----

TEST_F(WithFrameTime, AtRestThereIsNothingToStop) {
    EXPECT_EQ(StoppingDistance(0, 4), 0.0f);
    EXPECT_EQ(StoppingDistance(-0.0f, 4), 0.0f);
    EXPECT_EQ(FrameTimeQueries(), 0);
}

TEST_F(WithFrameTime, StoppingDistanceOfAShortRunByHand) {
    // maxSpeed 60, frame time 1: 2 - (2/120 + 1/2) x 2 = 29/30 after the first frame,
    // 29/30 - (29/3600 + 1/2) x 2 = -89/1800 after the second; the slightly negative
    // last speed counts too.
    frameTime = 1.0f;
    EXPECT_FLOAT_EQ(StoppingDistance(2, 2), 1651.0f / 1800.0f);
    EXPECT_EQ(FrameTimeQueries(), 4) << "two queries per simulated frame";
    EXPECT_FLOAT_EQ(StoppingDistance(-2, 2), 1651.0f / 1800.0f);
}

TEST_F(WithFrameTime, StoppingDistanceAgreesWithTheClosedForm) {
    // Each frame v' = v (1 - k/T) - k with k = braking x frame time / 2 and T the top
    // speed, so v_n = (v_0 + T) r^n - T with r = 1 - k/T, and the distance is the frame
    // time times a geometric sum up to the first n with v_n <= 0.
    struct Run {
        float speed, braking, frameTime;
    };
    for (const Run run : {Run{20, 4, 0.02f}, Run{55, 4, 1.0f / 60.0f}, Run{7.5f, 2.5f, 0.033f}, Run{80, 9, 0.05f}}) {
        sim::hook::ClearCallLog();
        frameTime = run.frameTime;
        const double topSpeed = 60.0;
        const double v0 = run.speed;
        const double k = 0.5 * run.braking * static_cast<double>(run.frameTime);
        const double r = 1.0 - k / topSpeed;
        const double frames = std::ceil(std::log(topSpeed / (v0 + topSpeed)) / std::log(r));
        const double sum = (v0 + topSpeed) * r * (1.0 - std::pow(r, frames)) / (1.0 - r) - frames * topSpeed;
        const double expected = run.frameTime * sum;
        ASSERT_LT(frames, 2000.0);

        EXPECT_NEAR(StoppingDistance(run.speed, run.braking), expected, 1e-4 * expected) << run.speed;
        EXPECT_EQ(FrameTimeQueries(), 2 * static_cast<long>(frames)) << run.speed;
    }
}

TEST_F(WithFrameTime, TwoThousandFramesWithoutStoppingGiveTheNoStopDistance) {
    frameTime = 0.02f;
    EXPECT_EQ(StoppingDistance(20, 0), 100000.0f) << "after 2000 frames at 800 m";
    EXPECT_EQ(FrameTimeQueries(), 4000);
}

TEST_F(WithFrameTime, StoppingOnTheLastAllowedFrameStillCountsAsNoStop) {
    // A top speed this large leaves braking at half its value at every speed: with
    // braking 0.25 and frame time 1/8 each frame takes exactly 1/64 m/s off, and
    // 31.25 m/s take 2000 frames. All values are exact in floats.
    settings.EngineerTopSpeed = 1e30f;
    frameTime = 0.125f;
    EXPECT_EQ(StoppingDistance(31.25f, 0.25f), 100000.0f);
    // One frame less: stopped on frame 1999 after 1/8 x 1/64 x (0 + 1 + ... + 1998) m.
    sim::hook::ClearCallLog();
    EXPECT_EQ(StoppingDistance(31.25f - 1.0f / 64.0f, 0.25f), 1997001.0f / 512.0f);
    EXPECT_EQ(FrameTimeQueries(), 2 * 1999);
}

TEST_F(WithFrameTime, ADistancePastTheNoStopDistanceIsReturnedAsItIs) {
    frameTime = 1.0f;
    // One frame: 1e6 - (1e6 / 120 + 0.5) m/s, then the loop leaves on the distance.
    EXPECT_NEAR(StoppingDistance(1e6f, 1), 1e6 - 1e6 / 120.0 - 0.5, 0.1);
    EXPECT_EQ(FrameTimeQueries(), 2);
}

TEST_F(WithFrameTime, WithoutAnEngineerTopSpeedStoppingUsesTheFullBraking) {
    frameTime = 1.0f;
    for (float topSpeed : {0.0f, -60.0f}) {
        settings.EngineerTopSpeed = topSpeed;
        // 2 - 1 = 1 m/s after the first frame, 0 after the second.
        EXPECT_EQ(StoppingDistance(2, 1), 1.0f) << topSpeed;
    }
}

TEST_F(WithFrameTime, StoppingDistanceStaysFiniteForAnyFiniteArguments) {
    for (float topSpeed : {1e-38f, 60.0f, 0.0f}) {
        settings.EngineerTopSpeed = topSpeed;
        for (float time : {0.02f, 1e10f, FLT_MAX, -1.0f}) {
            frameTime = time;
            for (float speed : {1.0f, -FLT_MAX, FLT_MAX}) {
                for (float braking : {1e-30f, 4.0f, FLT_MAX, -FLT_MAX}) {
                    sim::hook::ClearCallLog();
                    EXPECT_TRUE(std::isfinite(StoppingDistance(speed, braking)))
                        << speed << ' ' << braking << ' ' << time << ' ' << topSpeed;
                }
            }
        }
    }
}

}  // namespace
}  // namespace kelvane
