#include "cab/autopilot.h"

#include <algorithm>
#include <cmath>

#include "config/settings.h"
#include "dynamics/formulas.h"
#include "host/natives.h"
#include "hud/driving_hud.h"

namespace kelvane {

namespace {

// The engineer looks at the situation again once the count passes this: every 21st frame.
constexpr int FramesBetweenEvaluations = 20;
// Farther away than this, horizontally, the engineer stops following the player.
constexpr float FollowRange = 250.0f;
// Closer than this along the track the engineer brakes ...
constexpr float BrakeGap = 15.0f;
// ... and sets off again only beyond this, and beyond the stopping distance plus BrakeGap.
constexpr float StartGap = 25.0f;
// The float nearest pi/2: a player exactly at right angles to the heading is ahead.
constexpr float RightAngle = 1.5707964f;
// Stands for "cannot stop" when the engineer has no brakes.
constexpr float NoStopDistance = 100000.0f;

// The train goes on at the cruise speed last sent, under the game's own control.
void Release(CabState& state) { state.autopilotTrain = 0; }

float HorizontalDistance(const Vector3& a, const Vector3& b) {
    return std::sqrt((b.y - a.y) * (b.y - a.y) + (b.x - a.x) * (b.x - a.x));
}

FollowMeasurement Measure(const CabState& state, const Vector3& player, const Vector3& train) {
    const float hx = GET_ENTITY_FORWARD_X(state.autopilotTrain);
    const float hy = GET_ENTITY_FORWARD_Y(state.autopilotTrain);
    FollowMeasurement seen;
    // The simulated braking of a tiny speed ends a hair below zero and can give a
    // slightly negative distance; a distance to stop is never less than nothing.
    seen.stoppingDistance = settings.EngineerBraking > 0.0f
                                ? std::max(0.0f, StoppingDistance(state.autopilotSpeed, settings.EngineerBraking))
                                : NoStopDistance;
    // Distance from the line through the train at right angles to its heading: how far
    // ahead or behind the player is along the track, on either side of it.
    seen.gap = DistanceToLine2D(player.x, player.y, train.x, train.y, train.x + hy, train.y - hx);
    seen.behind = IsBehindTrain(hx, hy, player.x - train.x, player.y - train.y);
    return seen;
}

// Looks at the situation; false when the step ends here without applying a phase.
bool Evaluate(CabState& state) {
    state.autopilotFrameCount = 0;
    const Ped player = PLAYER_PED_ID();
    if (state.engineerMode == EngineerMode::KeepSpeed) {
        Release(state);
        return false;
    }
    if (!DOES_ENTITY_EXIST(state.autopilotTrain)) {
        Release(state);
        return false;
    }
    if (IS_PED_IN_ANY_TRAIN(player)) {
        // Riding another train: wait, and start over through braking once off it.
        state.autopilotPhase = AutopilotPhase::Undecided;
        return false;
    }
    const Vector3 p = GET_ENTITY_COORDS(player, true);
    const Vector3 t = GET_ENTITY_COORDS(state.autopilotTrain, true);
    if (state.engineerMode == EngineerMode::StopTrain) {
        SET_TRAIN_CRUISE_SPEED(state.autopilotTrain, 0.0f);
        Release(state);
        return false;
    }
    if (HorizontalDistance(p, t) > FollowRange) {
        Release(state);
        return false;
    }
    state.autopilotPhase = NextFollowPhase(state.autopilotPhase, Measure(state, p, t), state.autopilotSpeed);
    return true;
}

float BrakedTowardsZero(float speed) {
    if (speed > 0.0f) {
        return std::max(0.0f, speed - BrakingStep(speed, settings.EngineerTopSpeed, settings.EngineerBraking));
    }
    if (speed < 0.0f) {
        return std::min(0.0f, speed + BrakingStep(speed, settings.EngineerTopSpeed, settings.EngineerBraking));
    }
    return speed;
}

void ApplyPhase(CabState& state) {
    switch (state.autopilotPhase) {
        case AutopilotPhase::Undecided:
            return;
        case AutopilotPhase::DriveForward:
            state.autopilotSpeed +=
                AccelerationStep(state.autopilotSpeed, settings.EngineerTopSpeed, settings.EngineerAcceleration);
            break;
        case AutopilotPhase::DriveBackward:
            state.autopilotSpeed -=
                AccelerationStep(state.autopilotSpeed, settings.EngineerTopSpeed, settings.EngineerAcceleration);
            break;
        case AutopilotPhase::BrakeToStop:
            state.autopilotSpeed = BrakedTowardsZero(state.autopilotSpeed);
            break;
    }
    SET_TRAIN_CRUISE_SPEED(state.autopilotTrain, state.autopilotSpeed);
    if (settings.Display.TrainDistance) DrawTrainDistanceBar(state);
}

// Once braking, the engineer sets off only towards the player and only with room to stop.
AutopilotPhase PhaseAfterBraking(const FollowMeasurement& seen, float speed) {
    if (seen.gap <= StartGap || seen.stoppingDistance + BrakeGap >= seen.gap) return AutopilotPhase::BrakeToStop;
    if (!seen.behind && speed >= 0.0f) return AutopilotPhase::DriveForward;
    if (seen.behind && speed <= 0.0f) return AutopilotPhase::DriveBackward;
    return AutopilotPhase::BrakeToStop;  // still rolling away from the player
}

}  // namespace

bool IsBehindTrain(float headingX, float headingY, float towardsX, float towardsY) {
    return AngleBetween2D(headingX, headingY, towardsX, towardsY) > RightAngle;
}

AutopilotPhase NextFollowPhase(AutopilotPhase current, const FollowMeasurement& seen, float speed) {
    const bool mustBrake = seen.stoppingDistance > seen.gap || seen.gap < BrakeGap;
    switch (current) {
        case AutopilotPhase::DriveForward:
            if (!seen.behind && !mustBrake) return AutopilotPhase::DriveForward;
            break;
        case AutopilotPhase::DriveBackward:
            if (seen.behind && !mustBrake) return AutopilotPhase::DriveBackward;
            break;
        case AutopilotPhase::Undecided:
        case AutopilotPhase::BrakeToStop:
            break;
    }
    return PhaseAfterBraking(seen, speed);
}

void RunAutopilot(CabState& state) {
    state.autopilotFrameCount += 1;
    if (state.autopilotFrameCount > FramesBetweenEvaluations) {
        if (!Evaluate(state)) return;
    }
    ApplyPhase(state);
}

}  // namespace kelvane
