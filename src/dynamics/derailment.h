#pragma once
// Derailment: the risk that builds up while the train turns too fast for its speed, the
// warning camera shake, the manual key, and the conversion of the train into free
// vehicles once the risk has stayed above the threshold for long enough.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int DerailControl = 73;

// In cab frames while the train is on the rails, after the driving step.
void RunDerailmentStep(CabState& state);

}  // namespace kelvane
