#include "dynamics/driving_speed.h"

#include "dynamics/float_range.h"
#include "dynamics/speed_steps.h"

namespace kelvane {

namespace {

// A tram's handbrake leaves it creeping backwards; a freight train stands still.
constexpr float TramRestSpeed = static_cast<float>(-0.04);
constexpr float FreightRestSpeed = 0.0f;

}  // namespace

// The commanded speed stays a number whatever the settings: steps are finite, but their
// sum with the speed could still overflow.
DrivenSpeed DriveOneFrame(float speed, TrainType type, DrivingInputs inputs) {
    const int direction = speed > 0.0f ? 1 : speed < 0.0f ? -1 : 0;
    // Every braking step scales with the forward top speed, also when rolling backwards.
    const float forwardTop = settings.SpeedForward[type];
    const float backwardTop = settings.SpeedBackward[type];
    const float acceleration = settings.Acceleration[type];
    const float braking = settings.Braking[type];
    const auto power = [&](float maxSpeed) {
        return AccelerationGain(speed, maxSpeed, acceleration, inputs.frameTime());
    };
    const auto brake = [&] { return BrakingLoss(speed, forwardTop, braking, inputs.frameTime()); };

    if (inputs.held(ThrottleControl)) {
        speed = FiniteOrZero(speed + (direction >= 0 ? power(forwardTop) : brake()));
    }
    if (inputs.held(BrakeControl)) {
        speed = FiniteOrZero(speed - (direction <= 0 ? power(backwardTop) : brake()));
    }
    if (inputs.held(HandbrakeControl)) {
        if (direction > 0) speed = FiniteOrZero(speed - brake());
        if (direction < 0) speed = FiniteOrZero(speed + brake());
        const bool stopped = direction == 0 || (direction > 0 && speed < 0.0f) || (direction < 0 && speed > 0.0f);
        if (stopped) speed = type == Tram ? TramRestSpeed : FreightRestSpeed;
    }
    return {speed, direction};
}

}  // namespace kelvane
