#pragma once
// [G] opens or closes the cab's doors; the plug-in then moves them a step each frame.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int DoorsControl = 113;

// In cab frames while the train is on the rails, after the engineer key.
void UpdateDoors(CabState& state);

}  // namespace kelvane
