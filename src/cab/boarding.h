#pragma once
// From on foot to the cab: the scan when the enter control is pressed near a train, and
// the hold-to-enter countdown.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int EnterControl = 23;
inline constexpr const char* HoldToEnterText = "Hold key to enter the train ...";

// In frames on foot: on a press of the enter control, looks for a freight locomotive or
// tram nearby, reloads the configuration, and starts boarding when the player is close
// enough.
void RunBoardingScan(CabState& state);

// In boarding frames: counts the hold, draws the bar and prompt, enters the cab when the
// delay is reached, and goes back on foot when the control is released.
void RunBoardingHold(CabState& state);

}  // namespace kelvane
