#include "dynamics/driving.h"

#include "config/settings.h"
#include "dynamics/float_range.h"
#include "dynamics/formulas.h"
#include "host/natives.h"

namespace kelvane {

namespace {

// A tram's handbrake leaves it creeping backwards; a freight train stands still.
constexpr float TramRestSpeed = static_cast<float>(-0.04);
constexpr float FreightRestSpeed = 0.0f;

}  // namespace

// The commanded speed stays a number whatever the settings: steps are finite, but their
// sum with the speed could still overflow.
void RunDrivingControls(CabState& state) {
    const int direction = state.speed > 0.0f ? 1 : state.speed < 0.0f ? -1 : 0;
    state.direction = direction;
    const TrainType type = state.trainType;
    // Every braking step scales with the forward top speed, also when rolling backwards.
    const float forwardTop = settings.SpeedForward[type];
    const float backwardTop = settings.SpeedBackward[type];
    const float acceleration = settings.Acceleration[type];
    const float braking = settings.Braking[type];

    if (IS_CONTROL_PRESSED(ControlGroup, ThrottleControl)) {
        const float step = direction >= 0 ? AccelerationStep(state.speed, forwardTop, acceleration)
                                          : BrakingStep(state.speed, forwardTop, braking);
        state.speed = FiniteOrZero(state.speed + step);
    }
    if (IS_CONTROL_PRESSED(ControlGroup, BrakeControl)) {
        const float step = direction <= 0 ? AccelerationStep(state.speed, backwardTop, acceleration)
                                          : BrakingStep(state.speed, forwardTop, braking);
        state.speed = FiniteOrZero(state.speed - step);
    }
    if (IS_CONTROL_PRESSED(ControlGroup, HandbrakeControl)) {
        if (direction > 0) state.speed = FiniteOrZero(state.speed - BrakingStep(state.speed, forwardTop, braking));
        if (direction < 0) state.speed = FiniteOrZero(state.speed + BrakingStep(state.speed, forwardTop, braking));
        const bool stopped = direction == 0 || (direction > 0 && state.speed < 0.0f) ||
                             (direction < 0 && state.speed > 0.0f);
        if (stopped) state.speed = type == Tram ? TramRestSpeed : FreightRestSpeed;
    }
    SET_TRAIN_SPEED(state.train, state.speed);
}

}  // namespace kelvane
