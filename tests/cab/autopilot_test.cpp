// The engineer's driving after the player jumped off, through the stand-in: when the
// engineer looks, what each engineer mode commands, and how following the player brings
// the train towards the player and stops it there.

#include <gtest/gtest.h>

#include <bit>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "cab/autopilot.h"
#include "config/settings.h"
#include "dynamics/formulas.h"
#include "support/cab_frames.h"
#include "support/default_settings.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CabFrames;

constexpr double LeadPosition = 10000.0;  // of the lead car along a straight line on the x axis
constexpr int EvaluationInterval = 21;

// Readable case names from free text: letters and digits only.
std::string CaseName(const std::string& text) {
    std::string name;
    bool upper = true;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
            upper = false;
        } else {
            upper = true;
        }
    }
    return name;
}

class Autopilot : public testing::Test {
protected:
    void SetUp() override { settings = kelvane_test::DefaultSettings(); }
    void TearDown() override { EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u); }

    // A freight train on a long line, just left to the engineer as leaving the cab leaves
    // it: running at the given speed, which is also its cruise speed and the engineer's.
    void HandOver(EngineerMode mode, float speed, bool againstTrack = false) {
        frames.world().AddTrack(sim::Track("line", {{0, 0, 0}, {20000, 0, 0}}, false));
        const sim::ModelHash car = sim::ModelFromName("freightcar");
        sim::TrainSpec definition;
        definition.name = "train";
        definition.distance = LeadPosition;
        definition.againstTrack = againstTrack;
        definition.cars = {{sim::FreightLocomotiveModel, false}, {car, false}, {car, false}};
        definition.speed = speed;
        frames.world().AddTrain(definition);
        lead = frames.world().Trains()[0].cars[0];
        frames.world().SetTrainCruiseSpeed(lead, speed);
        frames.state.phase = CabPhase::OnFoot;
        frames.state.train = lead;
        frames.state.engineerMode = mode;
        frames.state.autopilotTrain = lead;
        frames.state.autopilotPhase = AutopilotPhase::Undecided;
        frames.state.autopilotSpeed = speed;
    }
    // Skips the wait for the first evaluation: the next frame evaluates.
    void EvaluateNextFrame() { frames.state.autopilotFrameCount = EvaluationInterval - 1; }

    sim::Vec3 LeadAt() { return frames.world().FindVehicle(lead)->position; }
    double TrainSpeed() { return frames.world().Trains()[0].speed; }
    double CruiseSpeed() { return frames.world().Trains()[0].cruiseSpeed; }
    // +1 when the train faces along the x axis, -1 when it faces against it.
    double TrainFacing() { return frames.world().FindVehicle(lead)->forward.x; }

    // The player on foot, this far ahead of the lead car along its heading and this far to
    // its right.
    void PlacePlayer(double ahead, double right, double height = 1.0) {
        const sim::Vec3 at = LeadAt();
        const double facing = TrainFacing();
        frames.world().PlacePed(frames.world().PlayerPed(), {at.x + ahead * facing, at.y - right * facing, height},
                                0.0);
    }
    sim::Vec3 PlayerAt() { return frames.world().FindPed(frames.world().PlayerPed())->position; }
    // How far ahead of the lead car the player is along the track (negative: behind).
    double PlayerAhead() { return (PlayerAt().x - LeadAt().x) * TrainFacing(); }

    // Whether the engineer looked at the situation in the last frame.
    static bool Evaluated() {
        for (const auto& call : sim::hook::CallLog()) {
            if (call.hash == sim::native::DOES_ENTITY_EXIST) return true;
        }
        return false;
    }
    // The cruise speed commanded in the last frame, if any.
    std::optional<float> CommandedCruise() {
        std::optional<float> commanded;
        for (const auto& call : sim::hook::CallLog()) {
            if (call.hash != sim::native::SET_TRAIN_CRUISE_SPEED) continue;
            EXPECT_FALSE(commanded) << "one command a frame";
            EXPECT_EQ(static_cast<std::int32_t>(call.arguments[0]), lead);
            commanded = std::bit_cast<float>(static_cast<std::uint32_t>(call.arguments[1]));
        }
        return commanded;
    }
    // Runs the frames of one interval short of the next evaluation, counted from one, with
    // a look after each.
    template <typename Check>
    void FramesBeforeTheNextEvaluation(Check check) {
        for (int frame = 1; frame < EvaluationInterval; ++frame) {
            frames.Frame();
            check(frame);
        }
    }
    // Runs frames until the next evaluation has happened, at most one interval.
    void UntilEvaluated() {
        for (int i = 0; i < EvaluationInterval; ++i) {
            frames.Frame();
            if (Evaluated()) return;
        }
        ADD_FAILURE() << "no evaluation within " << EvaluationInterval << " frames";
    }

    CabFrames frames;
    sim::Handle lead = 0;
};

// --- when the engineer looks ---------------------------------------------------------

struct CountCase {
    const char* name;
    int countAtHandOver;  // carried over from an earlier hand-over
    int firstEvaluation;  // frame of the first evaluation after the hand-over
};

class EvaluationFrames : public Autopilot, public testing::WithParamInterface<CountCase> {};

TEST_P(EvaluationFrames, ComeEveryTwentyFirstFrameAndNothingIsCommandedBeforeTheFirst) {
    HandOver(EngineerMode::FollowPlayer, 5.0f);
    PlacePlayer(150.0, 5.0);
    frames.state.autopilotFrameCount = GetParam().countAtHandOver;
    std::vector<int> evaluations;
    for (int frame = 1; frame <= GetParam().firstEvaluation + 3 * EvaluationInterval; ++frame) {
        frames.Frame();
        if (Evaluated()) evaluations.push_back(frame);
        if (frame < GetParam().firstEvaluation) {
            ASSERT_FALSE(CommandedCruise()) << "frame " << frame;
            ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::Undecided);
        } else {
            ASSERT_TRUE(CommandedCruise()) << "once following, every frame commands; frame " << frame;
        }
    }
    const int first = GetParam().firstEvaluation;
    EXPECT_EQ(evaluations, (std::vector<int>{first, first + 21, first + 42, first + 63}));
}

INSTANTIATE_TEST_SUITE_P(Counts, EvaluationFrames,
                         testing::Values(CountCase{"FreshCount", 0, 21}, CountCase{"CountLeftAtFifteen", 15, 6},
                                         CountCase{"CountLeftAtTwenty", 20, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Autopilot, BetweenEvaluationsThePhaseHoldsHoweverThePlayerMoves) {
    HandOver(EngineerMode::FollowPlayer, 0.0f);
    PlacePlayer(150.0, 5.0);
    EvaluateNextFrame();
    frames.Frame();
    ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::DriveForward);
    PlacePlayer(-100.0, 5.0);  // suddenly behind the train
    FramesBeforeTheNextEvaluation([&](int frame) {
        EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::DriveForward) << "frame " << frame;
        EXPECT_GT(*CommandedCruise(), 0.0f);
    });
    frames.Frame();
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop) << "the next evaluation reacts";
}

// --- keeping the speed, stopping the train, a vanished train ------------------------

struct ReleaseCase {
    const char* name;
    EngineerMode mode;
    std::optional<float> commandAtRelease;
    double finalSpeed;  // where the game's control then takes the train
};

class ReleasingModes : public Autopilot, public testing::WithParamInterface<ReleaseCase> {};

TEST_P(ReleasingModes, LetGoAtTheFirstEvaluationAndLeaveTheTrainToTheGame) {
    const ReleaseCase& c = GetParam();
    HandOver(c.mode, 8.0f);
    PlacePlayer(60.0, 5.0);
    FramesBeforeTheNextEvaluation([&](int frame) {
        EXPECT_FALSE(CommandedCruise()) << "frame " << frame;
        EXPECT_EQ(frames.state.autopilotTrain, lead);
    });
    frames.Frame();
    EXPECT_EQ(frames.state.autopilotTrain, 0);
    EXPECT_EQ(CommandedCruise(), c.commandAtRelease);
    for (int frame = 0; frame < 60 * 10; ++frame) {
        frames.Frame();
        ASSERT_FALSE(CommandedCruise()) << "nothing after the release";
    }
    EXPECT_EQ(TrainSpeed(), c.finalSpeed);
    EXPECT_EQ(CruiseSpeed(), c.finalSpeed);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReleasingModes,
                         testing::Values(ReleaseCase{"KeepSpeedGoesOnAtTheHandOverSpeed", EngineerMode::KeepSpeed,
                                                     std::nullopt, 8.0},
                                         ReleaseCase{"StopTrainCommandsZeroAndTheGameStopsIt", EngineerMode::StopTrain,
                                                     0.0f, 0.0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Autopilot, AVanishedTrainIsReleasedAtTheNextEvaluationWithoutACommand) {
    HandOver(EngineerMode::FollowPlayer, 4.0f);
    PlacePlayer(150.0, 5.0);
    EvaluateNextFrame();
    frames.Frame();
    frames.world().VanishTrain("train");
    // Commands to a train that is gone do nothing; the next evaluation notices.
    FramesBeforeTheNextEvaluation(
        [&](int frame) { EXPECT_EQ(frames.state.autopilotTrain, lead) << "frame " << frame; });
    frames.Frame();
    EXPECT_EQ(frames.state.autopilotTrain, 0);
    EXPECT_FALSE(CommandedCruise());
}

TEST_F(Autopilot, AStopOrderForATrainThatIsGoneSendsNothing) {
    HandOver(EngineerMode::StopTrain, 4.0f);
    EvaluateNextFrame();
    frames.world().VanishTrain("train");
    frames.Frame();
    EXPECT_EQ(frames.state.autopilotTrain, 0);
    EXPECT_FALSE(CommandedCruise());
}

// --- following the player ------------------------------------------------------------

struct FollowCase {
    const char* name;
    double playerAhead;  // m along the train's heading from the lead car; negative behind
    double playerRight;
    float speed;  // at the hand-over, along the heading
    bool againstTrack;
};

class FollowingThePlayer : public Autopilot, public testing::WithParamInterface<FollowCase> {};

TEST_P(FollowingThePlayer, DrivesTowardsThePlayerAndComesToRestNearThePlayer) {
    const FollowCase& c = GetParam();
    HandOver(EngineerMode::FollowPlayer, c.speed, c.againstTrack);
    PlacePlayer(c.playerAhead, c.playerRight);
    const double towards = c.playerAhead > 0.0 ? 1.0 : -1.0;
    bool drove = false;
    int frame = 0;
    for (; frame < 60 * 90; ++frame) {
        frames.Frame();
        const auto cruise = CommandedCruise();
        if (cruise && *cruise * towards > 1.0f && TrainSpeed() * towards > 1.0) drove = true;
        const bool resting = frames.state.autopilotPhase == AutopilotPhase::BrakeToStop &&
                             frames.state.autopilotSpeed == 0.0f && TrainSpeed() == 0.0;
        if (drove && resting) break;
    }
    ASSERT_TRUE(drove) << "neither the cruise speed nor the train ever went towards the player";
    ASSERT_LT(frame, 60 * 90) << "never came to rest";
    // At rest within 25 m the engineer does not set off again.
    EXPECT_LE(std::fabs(PlayerAhead()), 25.0);
    // And stays there while the player stands still.
    frames.Frames(10 * EvaluationInterval);
    EXPECT_EQ(TrainSpeed(), 0.0);
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, FollowingThePlayer,
    testing::Values(FollowCase{"player far ahead of a train at rest", 180.0, 5.0, 0.0f, false},
                    FollowCase{"player behind a train at rest", -150.0, 5.0, 0.0f, false},
                    FollowCase{"player behind a train that faces against the track", -150.0, -5.0, 0.0f, true},
                    FollowCase{"player ahead of a train that is rolling towards the player", 200.0, 5.0, 6.0f, false},
                    FollowCase{"player behind a train that is rolling away", -120.0, 5.0, 6.0f, false},
                    FollowCase{"player ahead but well to the side", 120.0, 150.0, 0.0f, false}),
    [](const auto& info) { return CaseName(info.param.name); });


struct BesideCase {
    const char* name;
    double playerRight;
    float speed;
};

class PlayerBesideTheTrain : public Autopilot, public testing::WithParamInterface<BesideCase> {};

TEST_P(PlayerBesideTheTrain, MakesTheEngineerBrakeAndStayStopped) {
    HandOver(EngineerMode::FollowPlayer, GetParam().speed);
    PlacePlayer(0.0, GetParam().playerRight);
    EvaluateNextFrame();
    for (int frame = 0; frame < 30 * EvaluationInterval; ++frame) {
        frames.Frame();
        ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop) << "frame " << frame;
        ASSERT_GE(*CommandedCruise(), 0.0f);
        ASSERT_LE(*CommandedCruise(), GetParam().speed);
    }
    EXPECT_EQ(frames.state.autopilotSpeed, 0.0f);
    EXPECT_EQ(TrainSpeed(), 0.0);
    EXPECT_EQ(frames.state.autopilotTrain, lead);
}

INSTANTIATE_TEST_SUITE_P(Sides, PlayerBesideTheTrain,
                         testing::Values(BesideCase{"close beside a train at rest", 5.0, 0.0f},
                                         BesideCase{"150 m to the side of a train at rest", 150.0, 0.0f},
                                         BesideCase{"240 m to the other side", -240.0, 0.0f},
                                         BesideCase{"200 m to the side of a train rolling past", 200.0, 4.0f}),
                         [](const auto& info) { return CaseName(info.param.name); });

TEST_F(Autopilot, AtRestTheEngineerSetsOffOnlyOnceThePlayerIsMoreThan25MetresAway) {
    HandOver(EngineerMode::FollowPlayer, 0.0f);
    PlacePlayer(0.0, 5.0);
    const sim::Vec3 from = PlayerAt();
    frames.world().WalkPedTo(frames.world().PlayerPed(), {from.x + 60.0 * TrainFacing(), from.y, from.z}, 1.2);
    double gapAtStart = 0.0;
    double gapBefore = 0.0;
    for (int frame = 0; frame < 60 * 60 && gapAtStart == 0.0; ++frame) {
        frames.Frame();
        if (!Evaluated()) continue;
        // The player moved one step after the engineer looked.
        const double gap = PlayerAhead() - 1.2 * CabFrames::DefaultFrameTime;
        if (frames.state.autopilotPhase == AutopilotPhase::DriveForward) {
            gapAtStart = gap;
        } else {
            ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop);
            ASSERT_EQ(*CommandedCruise(), 0.0f) << "standing still at a gap of " << gap;
            gapBefore = gap;
        }
    }
    EXPECT_GT(gapAtStart, 25.0);
    EXPECT_LE(gapBefore, 25.0) << "the evaluation before the start still saw the player near";
    EXPECT_GT(*CommandedCruise(), 0.0f);
}

struct SetOffCase {
    const char* name;
    float speed;  // the engineer's, braking
    // Where the player stands, ahead of the lead car along the heading (negative behind);
    // with fromStoppingDistance counted on from the stopping distance plus 15 m in the
    // direction the train rolls.
    double playerAhead;
    bool fromStoppingDistance;
    AutopilotPhase next;
};

class SettingOff : public Autopilot, public testing::WithParamInterface<SetOffCase> {};

TEST_P(SettingOff, NeedsMoreThan25MetresAndMoreThanTheStoppingDistancePlus15) {
    const SetOffCase& c = GetParam();
    HandOver(EngineerMode::FollowPlayer, c.speed);
    frames.Frame();  // gives the frame time that the stopping distance is taken with
    frames.state.autopilotPhase = AutopilotPhase::BrakeToStop;
    EvaluateNextFrame();
    double ahead = c.playerAhead;
    if (c.fromStoppingDistance) {
        const double reach = StoppingDistance(c.speed, settings.EngineerBraking) + 15.0;
        ahead = std::copysign(reach + c.playerAhead, c.speed);
    }
    PlacePlayer(ahead, 5.0);
    frames.Frame();
    ASSERT_TRUE(Evaluated());
    EXPECT_EQ(frames.state.autopilotPhase, c.next) << "player " << ahead << " m ahead";
    EXPECT_TRUE(std::isfinite(*CommandedCruise()));
}

INSTANTIATE_TEST_SUITE_P(
    Situations, SettingOff,
    testing::Values(
        SetOffCase{"at rest 24 m from the player", 0.0f, 24.0, false, AutopilotPhase::BrakeToStop},
        SetOffCase{"at rest 26 m from the player", 0.0f, 26.0, false, AutopilotPhase::DriveForward},
        SetOffCase{"at rest 26 m from a player behind", 0.0f, -26.0, false, AutopilotPhase::DriveBackward},
        SetOffCase{"rolling towards the player within the stopping distance plus 15", 12.0f, -1.0, true,
                   AutopilotPhase::BrakeToStop},
        SetOffCase{"rolling towards the player beyond the stopping distance plus 15", 12.0f, 1.0, true,
                   AutopilotPhase::DriveForward},
        SetOffCase{"rolling backwards towards a player behind, within the stopping distance plus 15", -12.0f, -1.0,
                   true, AutopilotPhase::BrakeToStop},
        SetOffCase{"rolling backwards towards a player behind, beyond the stopping distance plus 15", -12.0f, 1.0,
                   true, AutopilotPhase::DriveBackward},
        SetOffCase{"rolling backwards away from a player ahead", -3.0f, 100.0, false, AutopilotPhase::BrakeToStop},
        SetOffCase{"rolling away from a player behind", 3.0f, -100.0, false, AutopilotPhase::BrakeToStop},
        SetOffCase{"creeping at a millimetre a second towards the player", 0.001f, 100.0, false,
                   AutopilotPhase::DriveForward},
        SetOffCase{"creeping backwards at a millimetre a second towards a player behind", -0.001f, -100.0, false,
                   AutopilotPhase::DriveBackward}),
    [](const auto& info) { return CaseName(info.param.name); });

TEST_F(Autopilot, WithoutBrakesTheEngineerNeverSetsOff) {
    settings.EngineerBraking = 0.0f;
    HandOver(EngineerMode::FollowPlayer, 0.0f);
    PlacePlayer(200.0, 5.0);
    frames.Frames(5 * EvaluationInterval);
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop);
    EXPECT_EQ(*CommandedCruise(), 0.0f);
}

TEST_F(Autopilot, APlayerBehindMakesTheEngineerCommandAGrowingBackwardSpeed) {
    HandOver(EngineerMode::FollowPlayer, 0.0f);
    PlacePlayer(-150.0, 5.0);
    float previous = 0.0f;
    for (int frame = 0; frame < 3 * EvaluationInterval; ++frame) {
        frames.Frame();
        if (frame + 1 < EvaluationInterval) continue;
        ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::DriveBackward);
        const float cruise = *CommandedCruise();
        EXPECT_LT(cruise, previous);
        EXPECT_EQ(cruise, frames.state.autopilotSpeed);
        previous = cruise;
    }
    EXPECT_LT(TrainSpeed(), 0.0) << "the game's control rolls the train backwards";
}

struct RangeCase {
    const char* name;
    double ahead, right, height;
    bool released;
};

class FollowRange : public Autopilot, public testing::WithParamInterface<RangeCase> {};

TEST_P(FollowRange, EndsBeyond250MetresHorizontallyAndTheTrainKeepsItsLastCruiseSpeed) {
    const RangeCase& c = GetParam();
    HandOver(EngineerMode::FollowPlayer, 6.0f);
    frames.state.autopilotPhase = AutopilotPhase::DriveForward;
    EvaluateNextFrame();
    frames.world().PlacePed(frames.world().PlayerPed(), {LeadAt().x + c.ahead, LeadAt().y - c.right, c.height}, 0.0);
    frames.Frame();
    ASSERT_TRUE(Evaluated());
    EXPECT_EQ(frames.state.autopilotTrain, c.released ? 0 : lead);
    EXPECT_EQ(CommandedCruise().has_value(), !c.released);
    if (!c.released) return;
    frames.Frames(60 * 5);
    EXPECT_FALSE(CommandedCruise());
    EXPECT_EQ(CruiseSpeed(), 6.0);
    EXPECT_EQ(TrainSpeed(), 6.0);
}

INSTANTIATE_TEST_SUITE_P(
    Distances, FollowRange,
    testing::Values(RangeCase{"251 m ahead", 251.0, 0.0, 1.0, true},
                    RangeCase{"exactly 250 m ahead", 250.0, 0.0, 1.0, false},
                    RangeCase{"251 m behind", -251.0, 0.0, 1.0, true},
                    RangeCase{"251 m to the side", 0.0, 251.0, 1.0, true},
                    RangeCase{"180 m ahead and 180 m to the side", 180.0, 180.0, 1.0, true},
                    RangeCase{"200 m ahead and 400 m up", 200.0, 0.0, 400.0, false}),
    [](const auto& info) { return CaseName(info.param.name); });

TEST_F(Autopilot, WhileThePlayerRidesAnyTrainTheEngineerWaitsThenResumesThroughBraking) {
    HandOver(EngineerMode::FollowPlayer, 0.0f);
    PlacePlayer(200.0, 5.0);
    EvaluateNextFrame();
    frames.Frames(3 * EvaluationInterval);
    ASSERT_EQ(frames.state.autopilotPhase, AutopilotPhase::DriveForward);
    const float lastCommand = *CommandedCruise();
    ASSERT_GT(lastCommand, 1.0f);

    // Another train, standing on a line alongside; the player gets in as a passenger.
    frames.world().AddTrack(sim::Track("siding", {{0, 30, 0}, {20000, 30, 0}}, false));
    sim::TrainSpec other;
    other.name = "other";
    other.track = 1;
    other.distance = LeadPosition + 150.0;
    other.cars = {{sim::FreightLocomotiveModel, false}};
    frames.world().AddTrain(other);
    frames.world().SetPedIntoVehicle(frames.world().PlayerPed(), frames.world().FindTrainCar("other", 0),
                                     sim::PassengerSeat);
    UntilEvaluated();
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::Undecided);
    EXPECT_FALSE(CommandedCruise());
    for (int frame = 0; frame < 3 * EvaluationInterval; ++frame) {
        frames.Frame();
        ASSERT_FALSE(CommandedCruise()) << "nothing is commanded while the player rides";
    }
    EXPECT_EQ(frames.state.autopilotTrain, lead);
    EXPECT_EQ(frames.state.autopilotSpeed, lastCommand);
    EXPECT_EQ(CruiseSpeed(), lastCommand) << "the train keeps the cruise speed last sent";

    // Off again, behind the train that still rolls on: brake first, then come back.
    PlacePlayer(-80.0, 5.0);
    UntilEvaluated();
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::BrakeToStop);
    EXPECT_LT(*CommandedCruise(), lastCommand);
    for (int frame = 0; frame < 60 * 30 && frames.state.autopilotPhase != AutopilotPhase::DriveBackward; ++frame) {
        frames.Frame();
    }
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::DriveBackward);
}

struct ExtremeCase {
    const char* name;
    float speed;  // at the hand-over
    double playerAhead;
    float frameTime;
};

class ExtremeHandOver : public Autopilot, public testing::WithParamInterface<ExtremeCase> {};

TEST_P(ExtremeHandOver, NeverHandsTheGameAnInfiniteOrUndefinedCruiseSpeed) {
    const ExtremeCase& c = GetParam();
    HandOver(EngineerMode::FollowPlayer, c.speed);
    PlacePlayer(c.playerAhead, 5.0);
    EvaluateNextFrame();
    for (int frame = 0; frame < 10 * EvaluationInterval; ++frame) {
        frames.Frame({}, c.frameTime);
        ASSERT_TRUE(std::isfinite(frames.state.autopilotSpeed)) << "frame " << frame;
        const auto cruise = CommandedCruise();
        ASSERT_TRUE(!cruise || std::isfinite(*cruise)) << "frame " << frame;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExtremeHandOver,
    testing::Values(ExtremeCase{"the largest speed forward", 3.4e38f, 100.0, CabFrames::DefaultFrameTime},
                    ExtremeCase{"the largest speed backward", -3.4e38f, -100.0, CabFrames::DefaultFrameTime},
                    ExtremeCase{"a frame time of zero", 10.0f, 100.0, 0.0f},
                    ExtremeCase{"a frame time of a whole minute", 10.0f, 200.0, 60.0f}),
    [](const auto& info) { return CaseName(info.param.name); });

// --- the engineer's judgement on its own ---------------------------------------------

struct BehindCase {
    const char* name;
    float headingX, headingY, towardsX, towardsY;
    bool behind;
};

class BehindTheTrain : public testing::TestWithParam<BehindCase> {};

TEST_P(BehindTheTrain, IsBeyondARightAngleToTheHeading) {
    const BehindCase& c = GetParam();
    EXPECT_EQ(IsBehindTrain(c.headingX, c.headingY, c.towardsX, c.towardsY), c.behind);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, BehindTheTrain,
    testing::Values(BehindCase{"straight ahead", 1, 0, 40, 0, false},
                    BehindCase{"exactly at right angles to the left", 1, 0, 0, 50, false},
                    BehindCase{"exactly at right angles to the right", 1, 0, 0, -200, false},
                    BehindCase{"at right angles to a diagonal heading", 3, 4, 40, -30, false},
                    BehindCase{"a hair beyond the right angle", 1, 0, -0.01f, 50, true},
                    BehindCase{"straight behind", 1, 0, -40, 0, true},
                    BehindCase{"behind a diagonal heading", 3, 4, -3, -4, true},
                    BehindCase{"on the train's position", 1, 0, 0, 0, false}),
    [](const auto& info) { return CaseName(info.param.name); });

struct PhaseCase {
    const char* name;
    AutopilotPhase current;
    float stop, gap;
    bool behind;
    float speed;
    AutopilotPhase next;
};

class FollowPhaseTable : public testing::TestWithParam<PhaseCase> {};

TEST_P(FollowPhaseTable, GivesTheNextPhase) {
    const PhaseCase& c = GetParam();
    EXPECT_EQ(NextFollowPhase(c.current, {c.stop, c.gap, c.behind}, c.speed), c.next);
}

constexpr auto U = AutopilotPhase::Undecided;
constexpr auto F = AutopilotPhase::DriveForward;
constexpr auto B = AutopilotPhase::DriveBackward;
constexpr auto S = AutopilotPhase::BrakeToStop;

INSTANTIATE_TEST_SUITE_P(
    Rows, FollowPhaseTable,
    testing::Values(
        PhaseCase{"undecided with the player far ahead sets off at once", U, 0, 100, false, 0, F},
        PhaseCase{"undecided with the player near brakes", U, 0, 20, false, 0, S},
        PhaseCase{"forward with room keeps driving", F, 30, 100, false, 10, F},
        PhaseCase{"forward at exactly 15 m with room keeps driving", F, 0, 15, false, 0.5f, F},
        PhaseCase{"forward closer than 15 m brakes", F, 0, 14.99f, false, 0.5f, S},
        PhaseCase{"forward just able to stop short keeps driving", F, 40, 40, false, 15, F},
        PhaseCase{"forward no longer able to stop short brakes", F, 40.01f, 40, false, 15, S},
        PhaseCase{"forward with the player passed behind brakes", F, 5, 100, true, 5, S},
        PhaseCase{"forward at rest with the player behind reverses at once", F, 0, 100, true, 0, B},
        PhaseCase{"backward with room keeps reversing", B, 30, 100, true, -10, B},
        PhaseCase{"backward closer than 15 m brakes", B, 0, 14.99f, true, -0.5f, S},
        PhaseCase{"backward no longer able to stop short brakes", B, 40.01f, 40, true, -15, S},
        PhaseCase{"backward with the player passed ahead brakes", B, 5, 100, false, -5, S},
        PhaseCase{"backward at rest with the player ahead drives forward at once", B, 0, 100, false, 0, F},
        PhaseCase{"braking at exactly 25 m stays", S, 0, 25, false, 0, S},
        PhaseCase{"braking with the stopping distance plus 15 exactly at the gap stays", S, 25, 40, false, 5, S},
        PhaseCase{"braking just beyond the stopping distance plus 15 sets off", S, 25, 40.01f, false, 5, F},
        PhaseCase{"braking at exactly 0 m/s sets off forward to a player ahead", S, 0, 100, false, 0, F},
        PhaseCase{"braking at exactly 0 m/s sets off backward to a player behind", S, 0, 100, true, 0, B},
        PhaseCase{"braking while rolling away from a player ahead stays", S, 1, 100, false, -2, S},
        PhaseCase{"braking while rolling away from a player behind stays", S, 1, 100, true, 2, S},
        PhaseCase{"an engineer who cannot stop always brakes", S, 100000, 240, false, 0, S}),
    [](const auto& info) { return CaseName(info.param.name); });

}  // namespace
}  // namespace kelvane
