#pragma once
// The vehicles a derailment leaves behind: watched for violent speed changes, which set
// off explosions, and cleaned up when they vanish, are too many, or are far away.

#include "cab/cab_state.h"

namespace kelvane {

inline constexpr int MaxWrecks = 20;

// Starts watching a vehicle; the list and its count stay in step.
void AppendWreck(CabState& state, Vehicle vehicle, TrainType type);

// In every frame while the list is not empty, after the phase's steps.
void RunWreckUpkeep(CabState& state);

}  // namespace kelvane
