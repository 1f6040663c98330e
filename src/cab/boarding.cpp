#include "cab/boarding.h"

#include <cmath>
#include <cstdint>

#include "cab/cab_geometry.h"
#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "config/settings.h"
#include "dynamics/formulas.h"
#include "host/natives.h"
#include "hud/drawing.h"

namespace kelvane {

namespace {

// The nearby-vehicle buffer: the capacity in element 0, vehicle k in element 2k+2.
constexpr int NearbyCapacity = 10;
constexpr int NearbyBufferElements = 2 * NearbyCapacity + 2;

// How far beyond the train's length (normal entrance) or from the cab door (realistic
// entrance) the player may stand.
constexpr float NormalEntranceReach = 12.0f;
constexpr double RealisticEntranceReach = 0.7;
constexpr float FreightHalfLength = 8.5f;
constexpr float TramHalfLength = 5.5f;
constexpr float RealisticDoorHeight = 1.5f;

// Where a displaced occupant is put: at the cab door, this far above the train's origin.
constexpr float FreightOccupantHeight = 0.9f;
constexpr float TramOccupantHeight = 1.5f;

constexpr float BoardingBarY = 0.5f;
constexpr float BoardingTextY = 0.51f;
constexpr float BoardingTextScale = 0.3f;

bool IsDrivableModel(Hash model) { return model == FreightLocomotiveModel || model == TramModel; }

// The first drivable train among the vehicles near the player, in the game's order.
Vehicle FindNearbyTrain(CabState& state, Ped player) {
    std::int32_t nearby[NearbyBufferElements] = {};
    nearby[0] = NearbyCapacity;
    const int found = GET_PED_NEARBY_VEHICLES(player, nearby);
    state.train = 0;
    state.scannedModel = 0;
    // Never read past the buffer, whatever count the game reports.
    const int count = found < NearbyCapacity ? found : NearbyCapacity;
    for (int k = 0; k < count; ++k) {
        const Vehicle vehicle = nearby[2 * k + 2];
        if (vehicle == 0) continue;
        state.scannedModel = GET_ENTITY_MODEL(vehicle);
        if (IsDrivableModel(state.scannedModel) && GET_TRAIN_CARRIAGE(vehicle, 1) != 0) return vehicle;
    }
    return 0;
}

// How much farther the player stands than the entrance allows; 0 or less is near enough.
float ExcessDistance(const CabState& state, const Vector3& player, const Vector3& train, float fx, float fy) {
    const bool freight = state.scannedModel == FreightLocomotiveModel;
    if (settings.Trains.EntranceType == 0) {
        const float half = freight ? FreightHalfLength : TramHalfLength;
        const PlanePoint back = AlongTrain(train.x, train.y, fx, fy, -half, 0.0f);
        const PlanePoint front = AlongTrain(train.x, train.y, fx, fy, half, 0.0f);
        return DistanceToSegment2D(player.x, player.y, back.x, back.y, front.x, front.y) - NormalEntranceReach;
    }
    const PlanePoint door = CabDoor(freight, train.x, train.y, fx, fy);
    const float dx = door.x - player.x;
    const float dy = door.y - player.y;
    const float dz = train.z + RealisticDoorHeight - player.z;
    const float distance = std::sqrt(dx * dx + dy * dy + dz * dz);
    return static_cast<float>(static_cast<double>(distance) - RealisticEntranceReach);
}

void EnterCab(CabState& state) {
    state.phase = CabPhase::InCab;
    state.autopilotTrain = 0;
    state.engineerMessageTime = 0.0f;
    state.trainType = state.scannedModel == FreightLocomotiveModel ? Freight : Tram;
    state.speed = SignedTrainSpeed(state.train);
    const float fx = GET_ENTITY_FORWARD_X(state.train);
    const float fy = GET_ENTITY_FORWARD_Y(state.train);
    state.prevForwardX = fx;
    state.prevForwardY = fy;
    state.seatChangeCooldown = 0.0f;
    state.fullBeam = false;
    state.hornKeyTimer = 0.0f;
    state.derailRisk = 0.0f;
    state.derailOverTime = 0.0f;
    state.derailed = false;
    state.doorMotion = 0;

    const bool freight = state.trainType == Freight;
    const int seat = freight && settings.Train.Seat == 1 ? 0 : -1;
    const Ped occupant = GET_PED_IN_VEHICLE_SEAT(state.train, seat);
    if (occupant != 0) {
        // Whoever sits there makes room, stepping out at the cab door.
        const Vector3 t = GET_ENTITY_COORDS(state.train, true);
        const PlanePoint door = CabDoor(freight, t.x, t.y, fx, fy);
        const float z = t.z + (freight ? FreightOccupantHeight : TramOccupantHeight);
        SET_ENTITY_COORDS(occupant, door.x, door.y, z, false, false, false, false);
    }
    SET_PED_INTO_VEHICLE(PLAYER_PED_ID(), state.train, seat);
    SET_TRAIN_CRUISE_SPEED(state.train, 0.0f);
}

}  // namespace

void RunBoardingScan(CabState& state) {
    if (!IS_CONTROL_JUST_PRESSED(ControlGroup, EnterControl)) return;
    const Ped player = PLAYER_PED_ID();
    if (IS_PED_IN_ANY_VEHICLE(player, true)) return;
    const Vehicle train = FindNearbyTrain(state, player);
    if (train == 0) return;

    state.train = train;
    // Edits of the file take effect from this press on, the entrance type included.
    WriteDefaultConfig();
    LoadSettings();

    const Vector3 p = GET_ENTITY_COORDS(player, true);
    const Vector3 t = GET_ENTITY_COORDS(train, true);
    const float fx = GET_ENTITY_FORWARD_X(train);
    const float fy = GET_ENTITY_FORWARD_Y(train);
    const float excess = ExcessDistance(state, p, t, fx, fy);
    if (excess > 0.0f) {
        state.train = 0;
        return;
    }

    const Vehicle using_ = GET_VEHICLE_PED_IS_USING(player);
    if (using_ != 0) {
        const Vector3 u = GET_ENTITY_COORDS(using_, true);
        const float distance = std::sqrt((u.x - p.x) * (u.x - p.x) + (u.y - p.y) * (u.y - p.y));
        if (excess >= distance) {
            state.train = 0;
            return;
        }
        TASK_LEAVE_ANY_VEHICLE(player, using_, -1);
    }
    state.phase = CabPhase::Boarding;
    state.enterHoldTime = 0.0f;
}

void RunBoardingHold(CabState& state) {
    if (IS_CONTROL_PRESSED(ControlGroup, EnterControl)) {
        state.enterHoldTime += GET_FRAME_TIME();
        if (state.enterHoldTime >= settings.Trains.EnterDelay) {
            EnterCab(state);
            return;
        }
        DrawHudBar(BoardingBarY, state.enterHoldTime / settings.Trains.EnterDelay, 255, 255);
        DrawCenteredTextOpaque(BoardingTextY, BoardingTextScale, HoldToEnterText);
    } else if (IS_CONTROL_RELEASED(ControlGroup, EnterControl)) {
        state.phase = CabPhase::OnFoot;
    }
}

}  // namespace kelvane
