#pragma once
// The driving display: the speed text and the derailment and doors bars in the cab, and
// on foot the distance to the train the engineer follows the player with.

#include "cab/cab_state.h"

namespace kelvane {

// In cab frames while the train is on the rails, and in the frame of the derailment.
void DrawCabHud(CabState& state);
// In autopilot frames that command a cruise speed.
void DrawTrainDistanceBar(const CabState& state);

}  // namespace kelvane
