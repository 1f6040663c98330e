#include "cab/doors.h"

#include <cmath>

#include "config/settings.h"
#include "host/natives.h"

namespace kelvane {

namespace {

constexpr int FreightCabDoor = 1;
// A tram's doors on one side: its rear car runs reversed, so there they are the car's
// doors of the other hand.
constexpr int TramLeadCarDoors[] = {0, 2};
constexpr int TramRearCarDoors[] = {1, 3};

// Ratio per second.
constexpr float FreightDoorRate = 1.2f;
constexpr float TramDoorRate = 0.6f;

// A door this far from where it was last commanded no longer follows the command: the
// game has blocked or moved it.
constexpr double FollowTolerance = 0.001;

// A press closes doors that are more than half open and opens all others.
constexpr float CloseAbove = 0.5f;

constexpr int DoorControlSpeed = 0;

// The door whose ratio stands for all the doors that move.
int DoorRead(TrainType type) { return type == Tram ? TramLeadCarDoors[0] : FreightCabDoor; }

float DoorRate(TrainType type) { return type == Tram ? TramDoorRate : FreightDoorRate; }

// The freight cab door, or the tram's doors on both cars.
void CommandDoors(const CabState& state, float ratio) {
    if (state.trainType != Tram) {
        SET_VEHICLE_DOOR_CONTROL(state.train, FreightCabDoor, DoorControlSpeed, ratio);
        return;
    }
    for (int door : TramLeadCarDoors) SET_VEHICLE_DOOR_CONTROL(state.train, door, DoorControlSpeed, ratio);
    const Vehicle rearCar = GET_TRAIN_CARRIAGE(state.train, 1);
    if (rearCar == 0) return;
    for (int door : TramRearCarDoors) SET_VEHICLE_DOOR_CONTROL(rearCar, door, DoorControlSpeed, ratio);
}

}  // namespace

void UpdateDoors(CabState& state) {
    const int door = DoorRead(state.trainType);
    if (IS_CONTROL_JUST_PRESSED(ControlGroup, DoorsControl) && settings.KeyAction.OpenCloseDoors) {
        const float ratio = GET_VEHICLE_DOOR_ANGLE_RATIO(state.train, door);
        state.doorRatio = ratio;
        state.doorMotion = ratio > CloseAbove ? -1 : 1;
    }
    if (state.doorMotion == 0) return;

    const float current = GET_VEHICLE_DOOR_ANGLE_RATIO(state.train, door);
    const double drift = static_cast<double>(state.doorRatio) - static_cast<double>(current);
    if (drift < -FollowTolerance || drift > FollowTolerance) {
        state.doorMotion = 0;
        return;
    }

    const float next = current + GET_FRAME_TIME() * DoorRate(state.trainType) * static_cast<float>(state.doorMotion);
    // A door or frame time that is no number would hand the game one; drop the movement.
    if (!std::isfinite(next)) {
        state.doorMotion = 0;
        return;
    }
    CommandDoors(state, next);
    if (next <= 0.0f || next >= 1.0f) state.doorMotion = 0;
    state.doorRatio = next;
}

}  // namespace kelvane
