#pragma once
// The engineer's driving after the player has jumped off a freight train: keep the speed,
// stop the train, or follow the player along the track.

#include "cab/cab_state.h"

namespace kelvane {

// At the start of frames on foot while a train is left to the engineer.
void RunAutopilot(CabState& state);

// What the engineer following the player sees at an evaluation.
struct FollowMeasurement {
    float stoppingDistance = 0.0f;  // m the train needs to stop from the commanded speed
    float gap = 0.0f;               // m between the player and the train along the track
    bool behind = false;            // the player is beyond the rear end of the train's heading
};

// Whether the player, seen from the train at (towardsX, towardsY), is behind a train
// heading (headingX, headingY). Exactly at right angles counts as ahead.
bool IsBehindTrain(float headingX, float headingY, float towardsX, float towardsY);

// The phase the engineer following the player switches to at an evaluation.
AutopilotPhase NextFollowPhase(AutopilotPhase current, const FollowMeasurement& seen, float speed);

}  // namespace kelvane
