#pragma once

#include "cab/cab_state.h"

namespace kelvane {

// One game frame: the steps of the current phase, then the wreck upkeep.
void UpdateFrame(CabState& state);

}  // namespace kelvane
