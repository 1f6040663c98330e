// Boarding through the stand-in: the scan on a press of the enter control, the distance
// rules of both entrances, the hold countdown and the seat the player ends up in.

#include <gtest/gtest.h>

#include <string>

#include "cab/boarding.h"
#include "config/settings.h"
#include "support/cab_frames.h"
#include "support/case_name.h"
#include "world/native_hashes.h"

namespace kelvane {
namespace {

using kelvane_test::CabFrames;
using kelvane_test::CaseName;
using kelvane_test::WriteFile;

constexpr int Enter = 23;

class Boarding : public testing::Test {
protected:
    void SetUp() override { settings = Settings{}; }

    // A train along +x whose lead car stands at x 500 on a line at height 0.
    sim::Handle AddTrain(const std::vector<sim::CarSpec>& cars, double position = 500.0) {
        if (frames.world().Tracks().empty()) {
            frames.world().AddTrack(sim::Track("line", {{0, 0, 0}, {2000, 0, 0}}, false));
        }
        sim::TrainSpec definition;
        definition.name = "train " + std::to_string(frames.world().Trains().size());
        definition.distance = position;
        definition.cars = cars;
        const int index = frames.world().AddTrain(definition);
        return frames.world().Trains()[index].cars[0];
    }
    sim::Handle AddFreightTrain(double position = 500.0) {
        const sim::ModelHash car = sim::ModelFromName("freightcar");
        return AddTrain({{sim::FreightLocomotiveModel, false}, {car, false}, {car, false}}, position);
    }
    sim::Handle AddTram(double position = 500.0) {
        return AddTrain({{sim::TramModel, false}, {sim::TramModel, true}}, position);
    }
    void PlacePlayer(double x, double y, double z = 1.0) {
        frames.world().PlacePed(frames.world().PlayerPed(), {x, y, z}, 0.0);
    }
    const sim::Ped& Player() { return *frames.world().FindPed(frames.world().PlayerPed()); }

    // Presses the enter control and holds it for the given frames after the press.
    void PressAndHold(int heldFrames) {
        frames.Frame({Enter});
        frames.Frames(heldFrames, {Enter});
    }

    CabFrames frames;
};

struct DistanceCase {
    const char* name;
    double y;    // the player's distance from the train's axis
    double z;    // the player's height, which does not matter
    bool boards;
};

class NormalEntrance : public Boarding, public testing::WithParamInterface<DistanceCase> {};

TEST_P(NormalEntrance, ReachesTwelveMetresFromTheTrain) {
    const sim::Handle lead = AddFreightTrain();
    PlacePlayer(500.0, GetParam().y, GetParam().z);
    PressAndHold(60);
    EXPECT_EQ(Player().vehicle == lead, GetParam().boards) << "beside the train at " << GetParam().y << " m";
}

INSTANTIATE_TEST_SUITE_P(Distances, NormalEntrance,
                         testing::Values(DistanceCase{"JustWithinOnTheLeft", 11.9, 1.0, true},
                                         DistanceCase{"JustBeyondOnTheLeft", 12.1, 1.0, false},
                                         DistanceCase{"JustWithinOnTheRight", -11.9, 1.0, true},
                                         DistanceCase{"HighAbove", 11.9, 40.0, true},
                                         DistanceCase{"OnTheAxis", 0.0, 1.0, true}),
                         CaseName{});

TEST_F(Boarding, NormalEntranceMeasuresFromTheEndsOfTheTrain) {
    // 8.5 m ahead of the locomotive's centre is its front end; 12 m more reach.
    const sim::Handle lead = AddFreightTrain();
    PlacePlayer(500.0 + 8.5 + 11.9, 0.0);
    PressAndHold(60);
    EXPECT_EQ(Player().vehicle, lead);
}

struct DoorCase {
    const char* name;
    double dx, dy, dz;  // offset from the door point
    bool boards;
};

class RealisticEntrance : public Boarding, public testing::WithParamInterface<DoorCase> {};

TEST_P(RealisticEntrance, ReachesOnlyWithinSeventyCentimetresOfTheDoorIn3D) {
    WriteFile(ConfigFileName, "Trains.EntranceType = 1\nTrains.EnterDelay = 0.5\nTrain.Seat = 1\n");
    const sim::Handle lead = AddFreightTrain();
    // The freight cab door: 3.7 m ahead and 1.4 m to the right of the locomotive's centre
    // (facing +x, right is -y), 1.5 m above its origin (0.5 m above the rail).
    const DoorCase offset = GetParam();
    PlacePlayer(503.7 + offset.dx, -1.4 + offset.dy, 2.0 + offset.dz);
    PressAndHold(60);
    EXPECT_EQ(Player().vehicle == lead, offset.boards)
        << "offset " << offset.dx << ", " << offset.dy << ", " << offset.dz;
}

INSTANTIATE_TEST_SUITE_P(Offsets, RealisticEntrance,
                         testing::Values(DoorCase{"AtTheDoor", 0, 0, 0, true},
                                         DoorCase{"JustWithinAhead", 0.69, 0, 0, true},
                                         DoorCase{"JustBeyondToTheSide", 0, 0.71, 0, false},
                                         DoorCase{"JustWithinAbove", 0, 0, 0.69, true},
                                         DoorCase{"JustBeyondBelow", 0, 0, -0.71, false},
                                         DoorCase{"DiagonallyBeyond", 0.5, 0.5, 0, false},
                                         DoorCase{"OnTheAxisBehindTheDoor", -2.0, 1.4, 0, false}),
                         CaseName{});

TEST_F(Boarding, RealisticEntranceToATramIsTheDoorInside) {
    WriteFile(ConfigFileName, "Trains.EntranceType = 2\nTrains.EnterDelay = 0.5\n");
    const sim::Handle lead = AddTram();
    PlacePlayer(503.5, 0.0, 2.0);  // 3.5 m ahead of the centre, on the axis
    PressAndHold(60);
    EXPECT_EQ(Player().vehicle, lead);
}

TEST_F(Boarding, TheHoldBarAndPromptShowWhileTheKeyIsHeld) {
    AddFreightTrain();
    PlacePlayer(500.0, 5.0);
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::Boarding);
    EXPECT_TRUE(frames.world().Frame().texts.empty()) << "nothing is drawn in the frame of the press";
    frames.Frames(21, {Enter});  // 21 frames of 1/60 s: 0.35 s of the default 0.7 s
    const auto& texts = frames.world().Frame().texts;
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, HoldToEnterText);
    EXPECT_FLOAT_EQ(texts[0].y, 0.51f);
    EXPECT_FLOAT_EQ(texts[0].style.scaleX, 0.3f);
    EXPECT_EQ(texts[0].style.colour[3], 255);
    const auto& rects = frames.world().Frame().rects;
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_NEAR(rects[1].width, 0.05f, 1e-6) << "half of the bar after half of the delay";
    EXPECT_NEAR(rects[1].x, 0.475f, 1e-6);
    EXPECT_EQ(Player().vehicle, 0);
}

TEST_F(Boarding, ReleasingCancelsAndTheNextPressStartsTheCountdownAgain) {
    const sim::Handle lead = AddFreightTrain();
    PlacePlayer(500.0, 5.0);
    PressAndHold(30);  // 0.5 s held
    frames.Frame({});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    PressAndHold(30);
    EXPECT_EQ(Player().vehicle, 0) << "0.5 s of the second hold is not yet 0.7 s";
    frames.Frames(13, {Enter});
    EXPECT_EQ(Player().vehicle, lead);
}

TEST_F(Boarding, AnEnterDelayOfZeroEntersOnTheFirstHeldFrameWithoutABar) {
    WriteFile(ConfigFileName, "Trains.EnterDelay = 0\nTrain.Seat = 1\n");
    const sim::Handle lead = AddFreightTrain();
    PlacePlayer(500.0, 5.0);
    frames.Frame({Enter});
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::InCab);
    EXPECT_TRUE(frames.world().Frame().rects.empty());
    EXPECT_TRUE(frames.world().Frame().texts.empty());
    frames.Frame({Enter});
    EXPECT_EQ(Player().vehicle, lead);
}

struct SeatCase {
    const char* name;
    const char* seatSetting;
    bool tram;
    int seat;
    bool engineerStays;
};

class SeatChoice : public Boarding, public testing::WithParamInterface<SeatCase> {};

TEST_P(SeatChoice, FollowsTheSeatSettingForFreightAndTheDriversSeatForTrams) {
    WriteFile(ConfigFileName, std::string("Train.Seat = ") + GetParam().seatSetting + "\nTrains.EnterDelay = 0.1\n");
    const sim::Handle lead = GetParam().tram ? AddTram() : AddFreightTrain();
    const sim::Handle engineer = frames.world().PedInSeat(lead, sim::DriverSeat);
    PlacePlayer(500.0, 5.0);
    PressAndHold(10);
    frames.Frame();
    EXPECT_EQ(Player().vehicle, lead);
    EXPECT_EQ(Player().seat, GetParam().seat);
    EXPECT_EQ(frames.world().PedInSeat(lead, sim::DriverSeat) == engineer, GetParam().engineerStays);
    if (!GetParam().engineerStays) {
        // Moved to the cab door rather than left in the player's way.
        const sim::Ped& moved = *frames.world().FindPed(engineer);
        EXPECT_EQ(moved.vehicle, 0);
        EXPECT_NEAR(moved.position.x, GetParam().tram ? 503.5 : 503.7, 1e-4);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, SeatChoice,
                         testing::Values(SeatCase{"FreightSeatOneIsTheRightSeat", "1", false, 0, true},
                                         SeatCase{"FreightSeatZeroIsTheDriversSeat", "0", false, -1, false},
                                         SeatCase{"FreightSeatTwoIsTheDriversSeat", "2", false, -1, false},
                                         SeatCase{"FreightSeatMinusOneIsTheDriversSeat", "-1", false, -1, false},
                                         SeatCase{"TramSeatOneIsStillTheDriversSeat", "1", true, -1, false},
                                         SeatCase{"TramSeatZeroIsTheDriversSeat", "0", true, -1, false}),
                         CaseName{});

TEST_F(Boarding, EnteringTakesOverTheTrainAsItRuns) {
    const sim::Handle lead = AddFreightTrain();
    frames.world().SetTrainCruiseSpeed(lead, 3.0);
    frames.Frames(180);  // the game brings it to 3 m/s
    const sim::Vec3 at = frames.world().FindVehicle(lead)->position;
    PlacePlayer(at.x, 5.0);
    PressAndHold(43);
    ASSERT_EQ(frames.state.phase, CabPhase::InCab);
    EXPECT_NEAR(frames.state.speed, 3.0f, 1e-4) << "the commanded speed starts where the train is";
    EXPECT_EQ(frames.world().Trains()[0].cruiseSpeed, 0.0) << "the game's cruise control lets go";
    EXPECT_EQ(frames.state.trainType, Freight);
}

TEST_F(Boarding, TheFirstTrainInTheGamesOrderWithACarriageIsTaken) {
    const sim::Handle single = AddTrain({{sim::FreightLocomotiveModel, false}}, 300.0);  // no carriage 1
    const sim::Handle tram = AddTram(318.0);
    const sim::Handle freight = AddFreightTrain(345.0);
    // Nearest: the tram's rear car (no carriage behind it), the single locomotive, a
    // freight car, then the tram's lead car, and the freight locomotive last.
    PlacePlayer(306.0, 4.0);
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::Boarding);
    EXPECT_NE(frames.state.train, single);
    EXPECT_EQ(frames.state.train, tram);
    EXPECT_NE(frames.state.train, freight);
    EXPECT_EQ(frames.state.scannedModel, sim::TramModel);
}

TEST_F(Boarding, EveryPressThatFindsATrainReloadsTheConfiguration) {
    AddFreightTrain();
    PlacePlayer(500.0, 30.0);  // too far to board
    WriteFile(ConfigFileName, "Train.SpeedForward = 33\n");
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_EQ(frames.state.train, 0);
    EXPECT_EQ(settings.SpeedForward[Freight], 33.0f);
    // Deleted: the next press finds no file, writes the defaults and reads them back.
    std::filesystem::remove(ConfigFileName);
    frames.Frame({});
    frames.Frame({Enter});
    EXPECT_EQ(settings.SpeedForward[Freight], 40.0f);
    EXPECT_TRUE(std::filesystem::exists(ConfigFileName));
}

TEST_F(Boarding, APressWithoutATrainOrFromAVehicleDoesNothing) {
    PlacePlayer(500.0, 5.0);
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_FALSE(std::filesystem::exists(ConfigFileName)) << "no train found, no reload";

    const sim::Handle lead = AddFreightTrain();
    const sim::Handle car = frames.world().CreateVehicle(0x1234u, {500.0, 8.0, 0.5}, 0.0);
    frames.world().SetPedIntoVehicle(frames.world().PlayerPed(), car, sim::DriverSeat);
    frames.Frame({});
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
    EXPECT_NE(Player().vehicle, lead);
}

TEST_F(Boarding, APlayerStillGettingOutOfAVehicleIsToldToLeaveIt) {
    const sim::Handle lead = AddFreightTrain();
    const sim::Handle car = frames.world().CreateVehicle(0x1234u, {500.0, 12.0, 0.5}, 0.0);
    frames.world().SetPedIntoVehicle(frames.world().PlayerPed(), car, sim::DriverSeat);
    frames.world().TaskLeaveVehicle(frames.world().PlayerPed(), car);
    // Out of the seat, but the game still has the player using the car for a moment.
    while (Player().vehicle != 0) frames.Frame();
    ASSERT_EQ(frames.world().VehiclePedIsUsing(frames.world().PlayerPed()), car);
    frames.Frame({Enter});
    EXPECT_EQ(frames.state.phase, CabPhase::Boarding);
    const auto& log = sim::hook::CallLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const sim::hook::LoggedCall& call) {
        return call.hash == sim::native::TASK_LEAVE_ANY_VEHICLE;
    }));
    frames.Frames(45, {Enter});
    EXPECT_EQ(Player().vehicle, lead);
}

TEST_F(Boarding, AGameThatReportsMoreVehiclesThanFitIsReadOnlyToTheBuffersEnd) {
    AddFreightTrain();
    PlacePlayer(500.0, 5.0);
    // A misbehaving answer: far more vehicles than the capacity, none of them a train.
    sim::hook::RegisterNative(sim::native::GET_PED_NEARBY_VEHICLES, [](sim::hook::NativeCall& call) {
        auto* buffer = call.PointerArgument<std::int32_t>(1);
        for (int k = 0; k < buffer[0]; ++k) buffer[2 * k + 2] = 9000 + k;
        call.ReturnInt(1000);
    });
    frames.Frame({Enter});
    int inspected = 0;
    for (const auto& call : sim::hook::CallLog()) inspected += call.hash == sim::native::GET_ENTITY_MODEL;
    EXPECT_EQ(inspected, 10);
    EXPECT_EQ(frames.state.phase, CabPhase::OnFoot);
}

}  // namespace
}  // namespace kelvane
