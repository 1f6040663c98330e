#include "dynamics/driving.h"

#include "dynamics/driving_speed.h"
#include "host/natives.h"

namespace kelvane {

namespace {

bool HeldInCab(int control) { return IS_CONTROL_PRESSED(ControlGroup, control); }

}  // namespace

void RunDrivingControls(CabState& state) {
    const DrivenSpeed driven = DriveOneFrame(state.speed, state.trainType, {HeldInCab, GET_FRAME_TIME});
    state.direction = driven.direction;
    state.speed = driven.speed;
    SET_TRAIN_SPEED(state.train, state.speed);
}

}  // namespace kelvane
