// The cab actions through the stand-in: seat change, full beam, the [E] key's horn and
// engineer command with its message, and leaving the cab.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "cab/cab_actions.h"
#include "config/settings.h"
#include "support/cab_frames.h"
#include "support/cab_setup.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CabFrames;
using kelvane_test::FreightCars;
using kelvane_test::TramCars;
using kelvane_test::WriteFile;

constexpr int Enter = 23;
constexpr float FrameTime = CabFrames::DefaultFrameTime;

const char* const KeepSpeedMessage = "The engineer will keep the speed if you jump off the wagons.";
const char* const StopTrainMessage = "The engineer will stop the train if you jump off the wagons.";
const char* const FollowPlayerMessage = "The engineer will follow you if you jump off the wagons.";

// Test names from a case's name field.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// How a case's ride begins: the train, lines added to the configuration, and whether
// the engineer beside the player has died.
struct Ride {
    TrainType type = Freight;
    const char* config = "";
    bool engineerDead = false;
};

class CabActions : public testing::Test {
protected:
    void SetUp() override {
        settings = Settings{};
        ApplyDefaults();
    }

    // Boards a train standing on a straight line along +x for real: the scan and the
    // hold of the enter control, with the case's lines added to the configuration.
    void Board(const Ride& ride = {}) {
        WriteFile(ConfigFileName, std::string("Trains.EnterDelay = 0\n") + ride.config);
        // Near the line's start, where float positions are fine to the millimetre.
        lead = kelvane_test::AddStraightTrain(frames.world(), ride.type == Tram ? TramCars() : FreightCars(1), 0.0,
                                              1000.0);
        engineer = frames.world().PedInSeat(lead, sim::DriverSeat);
        const sim::Vec3 at = frames.world().FindVehicle(lead)->position;
        frames.world().PlacePed(frames.world().PlayerPed(), {at.x, 5.0, 1.0}, 0.0);
        frames.Frame({Enter});
        frames.Frame({Enter});
        frames.Frame();
        ASSERT_EQ(frames.state.phase, CabPhase::InCab);
        ASSERT_EQ(Player().vehicle, lead);
        if (ride.engineerDead) frames.world().KillPed(engineer);
    }

    const sim::Ped& Player() { return *frames.world().FindPed(frames.world().PlayerPed()); }

    // A key held for the given frames, the press included, then released; returns how
    // often the horn sounded from the press to the release.
    int Tap(int key, int heldFrames = 1, float frameTime = FrameTime) {
        int horns = 0;
        for (int i = 0; i < heldFrames; ++i) {
            frames.Frame({key}, frameTime);
            horns += static_cast<int>(frames.world().Frame().horns.size());
        }
        frames.Frame({}, frameTime);
        return horns + static_cast<int>(frames.world().Frame().horns.size());
    }

    // The engineer message drawn in the last frame, if any.
    std::optional<sim::DrawnText> EngineerMessage() {
        for (const sim::DrawnText& text : frames.world().Frame().texts) {
            if (text.text == KeepSpeedMessage || text.text == StopTrainMessage || text.text == FollowPlayerMessage) {
                return text;
            }
        }
        return std::nullopt;
    }

    int CallsInLastFrame(std::uint64_t hash) {
        const auto& log = sim::hook::CallLog();
        return static_cast<int>(
            std::count_if(log.begin(), log.end(), [hash](const auto& call) { return call.hash == hash; }));
    }

    CabFrames frames;
    sim::Handle lead = 0;
    sim::Handle engineer = 0;
};

// Seat change

TEST_F(CabActions, ASecondSeatChangeWithinThreeSecondsIsIgnored) {
    Board({Freight, "Train.Seat = 0\n"});  // the player drives from seat -1; seat 0 is free
    ASSERT_EQ(Player().seat, sim::DriverSeat);
    Tap(SeatLeftControl);
    frames.Frames(60);  // the shuffle takes the game a moment
    ASSERT_EQ(Player().seat, sim::PassengerSeat);

    Tap(SeatRightControl);
    frames.Frames(60);
    EXPECT_EQ(Player().seat, sim::PassengerSeat) << "about two seconds after the first change";

    frames.Frames(60);  // past the three seconds
    Tap(SeatRightControl);
    frames.Frames(60);
    EXPECT_EQ(Player().seat, sim::DriverSeat);
}

struct RefusedSeatChangeCase {
    const char* name;
    Ride ride;
};

class RefusedSeatChange : public CabActions, public testing::WithParamInterface<RefusedSeatChangeCase> {};

TEST_P(RefusedSeatChange, LeavesThePlayerInTheSeat) {
    Board(GetParam().ride);
    Tap(SeatLeftControl);
    EXPECT_EQ(CallsInLastFrame(sim::native::TASK_SHUFFLE_TO_NEXT_VEHICLE_SEAT), 0);
    frames.Frames(60);
    EXPECT_EQ(Player().vehicle, lead);
    EXPECT_EQ(Player().seat, sim::DriverSeat) << "the other seat was free";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSeatChange,
    testing::Values(RefusedSeatChangeCase{"OnATram", {Tram}},
                    RefusedSeatChangeCase{"WhenDisabled", {Freight, "Train.Seat = 0\nKeyAction.ChangeSeat = 0\n"}}),
    CaseName<RefusedSeatChangeCase>);

// Full beam

struct FullBeamCase {
    const char* name;
    Ride ride;
    bool toggles;
};

class FullBeam : public CabActions, public testing::WithParamInterface<FullBeamCase> {};

TEST_P(FullBeam, TogglesOnlyFromTheRightSeatOfAFreightCab) {
    Board(GetParam().ride);
    Tap(FullBeamControl);
    EXPECT_EQ(frames.world().FindVehicle(lead)->fullBeam, GetParam().toggles);
    EXPECT_EQ(frames.state.fullBeam, GetParam().toggles);
    Tap(FullBeamControl);
    EXPECT_FALSE(frames.world().FindVehicle(lead)->fullBeam) << "a second release toggles back";
}

INSTANTIATE_TEST_SUITE_P(Seats, FullBeam,
                         testing::Values(FullBeamCase{"FreightRightSeat", {Freight, "Train.Seat = 1\n"}, true},
                                         FullBeamCase{"FreightLeftSeat", {Freight, "Train.Seat = 0\n"}, false},
                                         FullBeamCase{"Tram", {Tram}, false}),
                         CaseName<FullBeamCase>);

// Horn and engineer command

struct HoldCase {
    const char* name;
    float frameTime;
    int heldFrames;
    bool command;
    int horns;
};

class HornKeyHold : public CabActions, public testing::WithParamInterface<HoldCase> {};

TEST_P(HornKeyHold, IsACommandBeforeTwoTenthsOfASecondAndAHornAfter) {
    Board();
    const HoldCase& c = GetParam();
    const int horns = Tap(HornControl, c.heldFrames, c.frameTime);
    EXPECT_EQ(horns, c.horns);
    EXPECT_EQ(frames.state.engineerMode, c.command ? EngineerMode::KeepSpeed : EngineerMode::FollowPlayer);
    EXPECT_EQ(EngineerMessage().has_value(), c.command) << "drawn in the frame of the release";
}

INSTANTIATE_TEST_SUITE_P(
    Holds, HornKeyHold,
    testing::Values(HoldCase{"OneTenth", 0.1f, 1, true, 0},
                    HoldCase{"ElevenSixtieths", 1.0f / 60.0f, 11, true, 0},
                    // The timer reaches 1.0 exactly: no longer a command, and the horn
                    // would have needed one more held frame.
                    HoldCase{"TwoTenthsExactly", 0.1f, 2, false, 0},
                    HoldCase{"ThreeTenths", 0.1f, 3, false, 1},
                    HoldCase{"FourteenSixtieths", 1.0f / 60.0f, 14, false, 1},
                    HoldCase{"TwoSeconds", 1.0f / 60.0f, 120, false, 1}),
    CaseName<HoldCase>);

TEST_F(CabActions, TheHornSoundsTheNormalHornOfTheTrain) {
    Board();
    frames.Frames(13, {HornControl});
    frames.Frame({HornControl});
    ASSERT_EQ(frames.world().Frame().horns.size(), 1u);
    const sim::Horn& horn = frames.world().Frame().horns[0];
    EXPECT_EQ(horn.vehicle, lead);
    EXPECT_EQ(horn.duration, 0);
    EXPECT_EQ(horn.mode, sim::HashKey("NORMAL"));
    EXPECT_FALSE(horn.forever);
}

TEST_F(CabActions, FromTheLeftSeatALongHoldSoundsNoHorn) {
    Board({Freight, "Train.Seat = 0\n"});
    EXPECT_EQ(Tap(HornControl, 60), 0);
}

TEST_F(CabActions, CommandsCycleFromFollowPlayerThroughKeepSpeedAndStopTrain) {
    Board();
    ASSERT_EQ(frames.state.engineerMode, EngineerMode::FollowPlayer);
    const struct {
        EngineerMode mode;
        const char* message;
    } expected[] = {{EngineerMode::KeepSpeed, KeepSpeedMessage},
                    {EngineerMode::StopTrain, StopTrainMessage},
                    {EngineerMode::FollowPlayer, FollowPlayerMessage},
                    {EngineerMode::KeepSpeed, KeepSpeedMessage}};
    for (const auto& step : expected) {
        Tap(HornControl);
        EXPECT_EQ(frames.state.engineerMode, step.mode);
        const auto message = EngineerMessage();
        ASSERT_TRUE(message.has_value());
        EXPECT_EQ(message->text, step.message);
        EXPECT_EQ(message->style.colour[3], 255) << "a new command shows at full opacity";
        frames.Frames(4 * 60 + 30);  // the next command while this message fades
    }
}

struct RefusedCommandCase {
    const char* name;
    Ride ride;
};

class RefusedCommand : public CabActions, public testing::WithParamInterface<RefusedCommandCase> {};

TEST_P(RefusedCommand, NeverChangesTheMode) {
    Board(GetParam().ride);
    for (int i = 0; i < 3; ++i) {
        Tap(HornControl);
        EXPECT_FALSE(EngineerMessage().has_value());
    }
    EXPECT_EQ(frames.state.engineerMode, EngineerMode::FollowPlayer);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedCommand,
    testing::Values(RefusedCommandCase{"PlayerInTheEngineersSeat", {Freight, "Train.Seat = 0\n"}},
                    RefusedCommandCase{"DeadEngineer", {Freight, "", true}},
                    RefusedCommandCase{"WhenDisabled", {Freight, "KeyAction.EngineerCommand = 0\n"}},
                    RefusedCommandCase{"OnATram", {Tram}}),
    CaseName<RefusedCommandCase>);

// The engineer message

TEST_F(CabActions, TheMessageStaysOpaqueForFourSecondsThenFadesOut) {
    Board();
    Tap(HornControl);
    int previous = 255;
    int drawn = 1;
    while (const auto message = EngineerMessage()) {
        const int alpha = message->style.colour[3];
        EXPECT_LE(alpha, previous);
        if (drawn <= 4 * 60) {
            EXPECT_EQ(alpha, 255) << "frame " << drawn;
        }
        EXPECT_FLOAT_EQ(message->y, 0.5f);
        EXPECT_FLOAT_EQ(message->style.scaleX, 0.35f);
        previous = alpha;
        frames.Frame();
        ++drawn;
        ASSERT_LT(drawn, 400);
    }
    EXPECT_NEAR(drawn, 5 * 60, 2) << "frames with the message";
    EXPECT_LT(previous, 10);
}

struct AlphaCase {
    const char* name;
    float timeLeft;
    int alpha;  // -1: not drawn
};

class MessageAlpha : public CabActions, public testing::WithParamInterface<AlphaCase> {};

TEST_P(MessageAlpha, IsTheTimeLeftTimes255CappedAndSaturated) {
    Board();
    frames.state.engineerMessageTime = GetParam().timeLeft;
    frames.Frame();
    const auto message = EngineerMessage();
    if (GetParam().alpha < 0) {
        EXPECT_FALSE(message.has_value());
        return;
    }
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->style.colour[3], GetParam().alpha);
}

INSTANTIATE_TEST_SUITE_P(
    TimesLeft, MessageAlpha,
    testing::Values(AlphaCase{"Fresh", 5.0f, 255}, AlphaCase{"LastSecondBegins", 1.0f, 255},
                    AlphaCase{"HalfFaded", 0.5f, 127}, AlphaCase{"AlmostGone", 0.01f, 2},
                    AlphaCase{"BeyondTheIntegerRange", 1e10f, 255}, AlphaCase{"LargestFloat", 3.4e38f, 255},
                    AlphaCase{"Infinite", std::numeric_limits<float>::infinity(), 255},
                    AlphaCase{"Expired", 0.0f, -1}, AlphaCase{"Overdue", -0.5f, -1}),
    CaseName<AlphaCase>);

TEST_F(CabActions, ANegativeFrameTimeGrowsTheMessageTimeWithoutBreakingTheAlpha) {
    Board();
    Tap(HornControl);
    frames.Frame({}, -3e38f);
    frames.Frame({}, -3e38f);  // the time is now beyond any integer, or infinite
    const auto message = EngineerMessage();
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->style.colour[3], 255);
}

// Leaving the cab

struct PlacementCase {
    const char* name;
    TrainType type;
    int entranceType;
    float speed;
    float ahead, right, height;  // where the player lands, relative to the train
};

class LeavingPlacement : public CabActions, public testing::WithParamInterface<PlacementCase> {};

TEST_P(LeavingPlacement, PutsThePlayerBesideTheTrainOrAtItsDoor) {
    const PlacementCase& c = GetParam();
    Board({c.type});
    settings.Trains.EntranceType = c.entranceType;
    frames.state.speed = c.speed;
    frames.Frame();  // the train runs at the commanded speed
    const sim::Vec3 t = frames.world().FindVehicle(lead)->position;
    frames.Frame({LeaveControl});
    // The train faces +x, so its right is -y.
    EXPECT_NEAR(Player().position.x, t.x + c.ahead, 1e-3);
    EXPECT_NEAR(Player().position.y, t.y - c.right, 1e-3);
    EXPECT_NEAR(Player().position.z, t.z + c.height, 1e-3);
    EXPECT_EQ(Player().vehicle, 0);
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Entrances, LeavingPlacement,
    testing::Values(PlacementCase{"FreightForward", Freight, 0, 6.0f, 1.0f, 0.0f, 2.8f},
                    PlacementCase{"FreightStanding", Freight, 0, 0.0f, 1.0f, 0.0f, 2.8f},
                    PlacementCase{"FreightReversing", Freight, 0, -4.0f, 0.5f, 0.0f, 2.8f},
                    PlacementCase{"FreightAtTheDoor", Freight, 1, 6.0f, 3.7f, 1.4f, 0.9f},
                    PlacementCase{"FreightReversingAtTheDoor", Freight, 2, -4.0f, 3.7f, 1.4f, 0.9f},
                    PlacementCase{"TramBeside", Tram, 0, 3.0f, 4.0f, -2.5f, 1.0f},
                    PlacementCase{"TramAtTheDoor", Tram, 1, 3.0f, 3.5f, 0.0f, 0.9f}),
    CaseName<PlacementCase>);

TEST_F(CabActions, LeavingAFreightTrainHandsItToTheEngineerAtItsSpeed) {
    Board();
    frames.state.engineerMode = EngineerMode::StopTrain;
    frames.state.speed = 6.0f;
    frames.Frame();
    frames.Frame({LeaveControl});
    EXPECT_EQ(frames.state.autopilotTrain, lead);
    EXPECT_EQ(frames.state.autopilotPhase, AutopilotPhase::Undecided);
    EXPECT_EQ(frames.state.autopilotSpeed, 6.0f);
    EXPECT_EQ(frames.world().Trains()[0].cruiseSpeed, 6.0);
    EXPECT_EQ(frames.state.engineerMode, EngineerMode::StopTrain) << "a live engineer takes the command";
    frames.Frames(60);
    EXPECT_EQ(frames.world().PedInSeat(lead, sim::DriverSeat), engineer) << "the engineer stays aboard";
    EXPECT_TRUE(frames.state.wrecks.empty());
}

struct ModeAfterLeavingCase {
    const char* name;
    Ride ride;
    EngineerMode mode;
};

class ModeAfterLeaving : public CabActions, public testing::WithParamInterface<ModeAfterLeavingCase> {};

TEST_P(ModeAfterLeaving, IsKeepSpeedWithoutALiveEngineerBesideThePlayer) {
    Board(GetParam().ride);
    frames.state.engineerMode = EngineerMode::FollowPlayer;
    frames.Frame({LeaveControl});
    EXPECT_EQ(frames.state.engineerMode, GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ModeAfterLeaving,
    testing::Values(ModeAfterLeavingCase{"EngineerBeside", {Freight}, EngineerMode::FollowPlayer},
                    ModeAfterLeavingCase{"DeadEngineer", {Freight, "", true}, EngineerMode::KeepSpeed},
                    ModeAfterLeavingCase{"PlayerDroveFromTheEngineersSeat", {Freight, "Train.Seat = 0\n"},
                                         EngineerMode::KeepSpeed},
                    ModeAfterLeavingCase{"Tram", {Tram}, EngineerMode::KeepSpeed}),
    CaseName<ModeAfterLeavingCase>);

TEST_F(CabActions, LeavingATramStopsItsCruiseAndGivesNoAutopilot) {
    Board({Tram});
    frames.state.speed = 5.0f;
    frames.state.autopilotTrain = lead + 100;  // as if another train were still left to an engineer
    frames.Frame();
    frames.Frame({LeaveControl});
    EXPECT_EQ(frames.state.autopilotTrain, 0);
    EXPECT_EQ(CallsInLastFrame(sim::native::SET_TRAIN_CRUISE_SPEED), 1);
    EXPECT_EQ(frames.world().Trains()[0].cruiseSpeed, 0.0);
    frames.Frames(4 * 60);
    EXPECT_EQ(frames.world().Trains()[0].speed, 0.0) << "the game brings it to a stop";
}

TEST_F(CabActions, LeavingADerailedTrainGivesItToTheWrecksAndStartsNoEngineer) {
    Board();
    frames.state.derailed = true;
    frames.state.cameraShaking = true;
    frames.world().Camera() = {true, "ROAD_VIBRATION_SHAKE", 1.0f};
    frames.Frame({LeaveControl});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_EQ(frames.state.autopilotTrain, 0);
    ASSERT_EQ(frames.state.wrecks.size(), 1u);
    EXPECT_EQ(frames.state.wreckCount, 1);
    EXPECT_EQ(frames.state.wrecks[0].vehicle, lead);
    EXPECT_EQ(frames.state.wrecks[0].trainType, Freight);
    EXPECT_EQ(frames.state.wrecks[0].samples, 0);
    EXPECT_EQ(frames.state.wrecks[0].explosions, 0);
    EXPECT_EQ(CallsInLastFrame(sim::native::SET_TRAIN_CRUISE_SPEED), 0);
    EXPECT_EQ(CallsInLastFrame(sim::native::SET_ENTITY_COORDS), 0) << "the player climbs out by the game's task";
    EXPECT_FALSE(frames.state.cameraShaking);
    EXPECT_FALSE(frames.world().Camera().active);
    frames.Frames(60);
    EXPECT_EQ(Player().vehicle, 0);
    EXPECT_EQ(frames.world().FindPed(engineer)->vehicle, 0) << "the crew leaves a derailed train";
}

TEST_F(CabActions, LeavingATrainThatVanishedHandsTheGameOnlyNumbers) {
    Board();
    frames.world().DeleteAllTrains();
    frames.Frame({LeaveControl});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_EQ(sim::hook::NonFiniteFloatArguments(), 0u);
}

}  // namespace
}  // namespace kelvane
