// The doors through the stand-in: [G] in the cab, the doors the plug-in then commands
// frame by frame, and where the movement ends.

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "cab/doors.h"
#include "config/settings.h"
#include "support/cab_frames.h"
#include "support/cab_setup.h"
#include "support/default_settings.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::AddStraightTrain;
using kelvane_test::CabFrames;
using kelvane_test::FreightCars;
using kelvane_test::PutPlayerInCab;
using kelvane_test::TramCars;

constexpr float FrameTime = CabFrames::DefaultFrameTime;

struct DoorCommand {
    sim::Handle vehicle;
    int door;
    int speed;
    float ratio;
};

struct MovingDoor {
    int car;  // index in the train
    int door;
};

class Doors : public testing::Test {
protected:
    void SetUp() override { settings = kelvane_test::DefaultSettings(); }

    // A freight locomotive alone or a tram of two cars, the player in the cab.
    void Board(TrainType type, double speed = 0.0) {
        lead = AddStraightTrain(frames.world(), type == Tram ? TramCars() : FreightCars(0), speed);
        PutPlayerInCab(frames, lead, type, type == Tram ? sim::DriverSeat : sim::PassengerSeat);
        rear = frames.world().TrainCarriage(lead, 1);
    }
    sim::Handle Car(int index) const { return index == 0 ? lead : rear; }
    float Door(sim::Handle car, int door) { return frames.world().FindVehicle(car)->doors[door]; }
    // The doors each type moves, in the order they are commanded.
    static std::vector<MovingDoor> MovingDoors(TrainType type) {
        if (type == Tram) return {{0, 0}, {0, 2}, {1, 1}, {1, 3}};
        return {{0, 1}};
    }
    void SetMovingDoors(TrainType type, float ratio) {
        for (const MovingDoor& moving : MovingDoors(type)) frames.world().SetDoorRatio(Car(moving.car), moving.door, ratio);
    }

    void PressDoorsKey() { frames.Frame({DoorsControl}); }

    // The doors commanded in the last frame.
    static std::vector<DoorCommand> Commands() {
        std::vector<DoorCommand> commands;
        for (const auto& call : sim::hook::CallLog()) {
            if (call.hash != sim::native::SET_VEHICLE_DOOR_CONTROL) continue;
            commands.push_back({static_cast<sim::Handle>(call.arguments[0]), static_cast<int>(call.arguments[1]),
                                static_cast<int>(call.arguments[2]),
                                std::bit_cast<float>(static_cast<std::uint32_t>(call.arguments[3]))});
        }
        return commands;
    }
    // One ratio for every moving door of the type, in the order of the table; NaN when
    // nothing was commanded.
    float CommandedRatio(TrainType type) {
        const std::vector<DoorCommand> commands = Commands();
        const std::vector<MovingDoor> doors = MovingDoors(type);
        if (commands.empty()) return std::numeric_limits<float>::quiet_NaN();
        EXPECT_EQ(commands.size(), doors.size());
        for (std::size_t i = 0; i < commands.size() && i < doors.size(); ++i) {
            EXPECT_EQ(commands[i].vehicle, Car(doors[i].car)) << "command " << i;
            EXPECT_EQ(commands[i].door, doors[i].door) << "command " << i;
            EXPECT_EQ(commands[i].speed, 0) << "command " << i;
            EXPECT_EQ(commands[i].ratio, commands[0].ratio) << "the doors move together";
        }
        return commands[0].ratio;
    }

    CabFrames frames;
    sim::Handle lead = 0;
    sim::Handle rear = 0;
};

// ---- A whole movement ----

struct MovementCase {
    const char* name;
    TrainType type;
    float from;      // the doors' ratio before the press
    float speed;     // of the train, m/s
    double seconds;  // the movement takes
};

class Movement : public Doors, public testing::WithParamInterface<MovementCase> {};

TEST_P(Movement, MovesSmoothlyAndEndsInTheFrameThatReachesTheEnd) {
    const MovementCase& c = GetParam();
    Board(c.type, c.speed);
    SetMovingDoors(c.type, c.from);
    const bool opening = c.from < 0.5f;
    PressDoorsKey();
    int frameCount = 1;
    float previous = c.from;
    for (;;) {
        const float commanded = CommandedRatio(c.type);
        ASSERT_FALSE(std::isnan(commanded)) << "frame " << frameCount << " commands the doors";
        EXPECT_GT(opening ? commanded - previous : previous - commanded, 0.0f) << "frame " << frameCount;
        const bool reachedTheEnd = opening ? commanded >= 1.0f : commanded <= 0.0f;
        EXPECT_EQ(frames.state.doorMotion == 0, reachedTheEnd) << "frame " << frameCount;
        EXPECT_EQ(frames.state.doorRatio, commanded);
        if (reachedTheEnd || frameCount > 1000) break;
        previous = commanded;
        frames.Frame();
        ++frameCount;
    }
    // Rounding can leave the last whole step just short of the end, which then takes one
    // frame more.
    EXPECT_NEAR(frameCount * FrameTime, c.seconds, 1.5 * FrameTime);
    for (const MovingDoor& moving : MovingDoors(c.type)) {
        EXPECT_EQ(Door(Car(moving.car), moving.door), opening ? 1.0f : 0.0f) << "door " << moving.door;
    }
    frames.Frames(3);
    EXPECT_TRUE(Commands().empty()) << "nothing is commanded after the end";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Movement,
    testing::Values(MovementCase{"FreightOpens", Freight, 0.0f, 0.0f, 1.0 / 1.2},
                    MovementCase{"FreightCloses", Freight, 1.0f, 0.0f, 1.0 / 1.2},
                    MovementCase{"FreightOpensWhileRunning", Freight, 0.0f, 20.0f, 1.0 / 1.2},
                    MovementCase{"TramOpens", Tram, 0.0f, 0.0f, 1.0 / 0.6},
                    MovementCase{"TramCloses", Tram, 1.0f, 0.0f, 1.0 / 0.6}),
    [](const testing::TestParamInfo<MovementCase>& info) { return std::string(info.param.name); });

TEST_F(Doors, TheTramsRearCarIsLookedUpBetweenItsDoors) {
    Board(Tram);
    PressDoorsKey();
    constexpr std::uint64_t Door = sim::native::SET_VEHICLE_DOOR_CONTROL;
    constexpr std::uint64_t Carriage = sim::native::GET_TRAIN_CARRIAGE;
    const auto& log = sim::hook::CallLog();
    std::vector<std::uint64_t> between;
    bool started = false;
    for (const auto& call : log) {
        started = started || call.hash == Door;
        if (started && (call.hash == Door || call.hash == Carriage)) between.push_back(call.hash);
    }
    while (!between.empty() && between.back() != Door) between.pop_back();
    EXPECT_EQ(between, (std::vector<std::uint64_t>{Door, Door, Carriage, Door, Door}));
}

TEST_F(Doors, ATramWithoutItsRearCarStillMovesTheFrontCarsDoors) {
    Board(Tram);
    frames.world().DeleteVehicle(rear);
    PressDoorsKey();
    const std::vector<DoorCommand> commands = Commands();
    ASSERT_EQ(commands.size(), 2u) << "no command for a car that is not there";
    for (const DoorCommand& command : commands) EXPECT_EQ(command.vehicle, lead);
    EXPECT_EQ(frames.state.doorMotion, 1);
}

// ---- The key ----

struct PressCase {
    const char* name;
    float ratio;  // of the door read, at the press
    int motion;
};

class Press : public Doors, public testing::WithParamInterface<PressCase> {};

TEST_P(Press, ClosesOnlyDoorsMoreThanHalfOpen) {
    Board(Freight);
    SetMovingDoors(Freight, GetParam().ratio);
    PressDoorsKey();
    EXPECT_EQ(frames.state.doorMotion, GetParam().motion);
    EXPECT_NEAR(CommandedRatio(Freight), GetParam().ratio + GetParam().motion * 1.2f * FrameTime, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Ratios, Press,
                         testing::Values(PressCase{"ShutOpens", 0.0f, 1}, PressCase{"AThirdOpens", 0.3f, 1},
                                         PressCase{"ExactlyHalfOpens", 0.5f, 1},
                                         PressCase{"JustPastHalfCloses", 0.5001f, -1},
                                         PressCase{"WideOpenCloses", 0.9f, -1}),
                         [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST_F(Doors, PressingAgainKeepsOpeningUpToHalfAndClosesBeyond) {
    Board(Freight);
    PressDoorsKey();
    frames.Frames(10);
    ASSERT_LE(Door(lead, 1), 0.5f);
    PressDoorsKey();
    EXPECT_EQ(frames.state.doorMotion, 1);
    while (Door(lead, 1) <= 0.5f) frames.Frame();
    const float passedHalf = Door(lead, 1);
    PressDoorsKey();
    EXPECT_EQ(frames.state.doorMotion, -1);
    EXPECT_LT(Door(lead, 1), passedHalf);
}

TEST_F(Doors, TheKeyDoesNothingWhenSwitchedOff) {
    Board(Tram);
    settings.KeyAction.OpenCloseDoors = false;
    PressDoorsKey();
    frames.Frames(60);
    EXPECT_EQ(frames.state.doorMotion, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Door(lead, 0), 0.0f);
}

// ---- A door that no longer follows ----

TEST_F(Doors, ABlockedDoorStopsTheMovementAtOnce) {
    Board(Freight);
    // Off the 0.02 steps of a frame, so the door stops clearly short of a command.
    frames.world().BlockDoor(lead, 1, 0.31f);
    PressDoorsKey();
    float lastCommand = CommandedRatio(Freight);
    while (lastCommand <= 0.31f) {
        frames.Frame();
        lastCommand = CommandedRatio(Freight);
    }
    // The door stopped at 0.31, short of that command: the next frame finds it behind.
    frames.Frame();
    EXPECT_EQ(frames.state.doorMotion, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(frames.state.doorRatio, lastCommand) << "keeps the last command";
    frames.Frames(30);
    EXPECT_TRUE(Commands().empty()) << "no further ratio is commanded";
    EXPECT_EQ(Door(lead, 1), 0.31f);
}

TEST_F(Doors, ADoorMovedByTheGameStopsTheMovement) {
    Board(Tram);
    PressDoorsKey();
    frames.Frames(5);
    frames.world().SetDoorRatio(lead, 0, 0.8f);
    frames.Frame();
    EXPECT_EQ(frames.state.doorMotion, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(Door(lead, 0), 0.8f);
}

// ---- Frame times ----

TEST_F(Doors, AFrameTimeOfZeroHoldsTheDoorsWithoutEndingTheMovement) {
    Board(Freight);
    PressDoorsKey();
    const float ratio = Door(lead, 1);
    frames.Frames(10, {}, 0.0f);
    EXPECT_EQ(frames.state.doorMotion, 1);
    EXPECT_EQ(Door(lead, 1), ratio);
    frames.Frame();
    EXPECT_GT(Door(lead, 1), ratio);
}

TEST_F(Doors, AFrameTimeThatIsNoNumberNeverReachesADoor) {
    Board(Tram);
    frames.Frame({DoorsControl}, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(frames.state.doorMotion, 0);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(sim::hook::NativesGivenNonFiniteFloats().count(sim::native::SET_VEHICLE_DOOR_CONTROL) == 0);
}

}  // namespace
}  // namespace kelvane
