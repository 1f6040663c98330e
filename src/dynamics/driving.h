#pragma once
// The player's driving controls: throttle, brake and handbrake turn into the speed the
// plug-in imposes on the train in every cab frame.

#include "cab/cab_state.h"
#include "dynamics/driving_speed.h"

namespace kelvane {

void RunDrivingControls(CabState& state);

}  // namespace kelvane
