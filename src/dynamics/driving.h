#pragma once
// The player's driving controls: throttle, brake and handbrake turn into the speed the
// plug-in imposes on the train in every cab frame.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int ThrottleControl = 71;
inline constexpr int BrakeControl = 72;
inline constexpr int HandbrakeControl = 76;

void RunDrivingControls(CabState& state);

}  // namespace kelvane
