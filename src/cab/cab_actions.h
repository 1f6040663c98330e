#pragma once
// What the player does in the cab besides driving, doors and derailing: seat change, full
// beam, horn, the engineer command and its message, and leaving the cab.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int SeatLeftControl = 34;
inline constexpr int SeatRightControl = 35;
inline constexpr int FullBeamControl = 74;
inline constexpr int LeaveControl = 75;
inline constexpr int HornControl = 86;

// The cooldown, then [A] or [D] shuffles to the other seat of a freight cab.
void RunSeatChange(CabState& state);
// From the right seat of a freight cab, toggles the full beam.
void RunFullBeam(CabState& state);
// [E]: a short press cycles the engineer command, a long hold sounds the horn.
void RunHornAndEngineerCommand(CabState& state);
// The confirmation of the last engineer command, fading out.
void DrawEngineerMessage(CabState& state);
// Control 75 leaves the cab, also after a derailment; a freight train goes to the
// engineer, a derailed one to the wrecks.
void RunLeaveCheck(CabState& state);

}  // namespace kelvane
