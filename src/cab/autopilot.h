#pragma once
// The engineer's driving after the player has jumped off a freight train: keep the speed,
// stop the train, or follow the player along the track.

#include "cab/cab_state.h"

namespace kelvane {

// At the start of frames on foot while a train is left to the engineer.
void RunAutopilot(CabState& state);

}  // namespace kelvane
