#include "dynamics/speed_steps.h"

#include <cmath>

#include "dynamics/float_range.h"

namespace kelvane {

namespace {

// The acceleration curve over the absolute speed v.
float AccelerationFactor(float v, float maxSpeed) {
    // No top speed, no power: the curve below divides by maxSpeed and would otherwise
    // even grow with the speed for a negative one.
    if (!(maxSpeed > 0.0f)) return 0.0f;
    if (v < 0.5f) return 1.6f * v + 0.2f;
    if (v < maxSpeed) return ((maxSpeed - 0.01f) - 0.98f * v) / (maxSpeed - 0.5f);
    // Saturated: a tiny positive maxSpeed overflows the division.
    return SaturateToFloatRange(-(0.02f * v - 2.0f * (0.02f * maxSpeed)) / maxSpeed);
}

// The braking curve over the absolute speed v.
float BrakingFactor(float v, float maxSpeed) {
    // With no top speed every speed is at or above it: brake with the full value, the
    // factor the curve has at maxSpeed, rather than dividing by zero.
    if (!(maxSpeed > 0.0f)) return 1.0f;
    return SaturateToFloatRange(v * 0.5f / maxSpeed + 0.5f);
}

// factor x rate x frame time, saturated after each product so that an overflow can
// never meet a zero and give an undefined value.
float StepOf(float factor, float rate, float frameTime) {
    return SaturateToFloatRange(SaturateToFloatRange(factor * rate) * frameTime);
}

}  // namespace

float AccelerationGain(float speed, float maxSpeed, float acceleration, float frameTime) {
    return StepOf(AccelerationFactor(std::fabs(speed), maxSpeed), acceleration, frameTime);
}

float BrakingLoss(float speed, float maxSpeed, float braking, float frameTime) {
    return StepOf(BrakingFactor(std::fabs(speed), maxSpeed), braking, frameTime);
}

}  // namespace kelvane
