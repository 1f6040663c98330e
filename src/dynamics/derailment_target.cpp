#include "dynamics/derailment_target.h"

#include <cmath>

#include "dynamics/float_range.h"

namespace kelvane {

namespace {

constexpr float MaximumCurvatureTerm = 999999.0f;
constexpr float Pi = 3.1415927f;

}  // namespace

float DerailmentSpeedFactor(float speed, float topSpeed) {
    // A train with no top speed has no speed scaling rather than an infinite one.
    const float factor = topSpeed > 0.0f ? std::fabs(speed) / topSpeed * 2.0f : 1.0f;
    return factor >= 1.0f ? factor : 1.0f;
}

float DerailmentTarget(float turnRate, float speed, float sensitivity, float topSpeed) {
    if (!(sensitivity > 0.0f)) return 0.0f;
    const float curvature = sensitivity >= 1.0f ? MaximumCurvatureTerm : turnRate / ((1.0f - sensitivity) * Pi);
    return FiniteOrZero(DerailmentSpeedFactor(speed, topSpeed) * curvature);
}

float DerailingTurnRate(float speed, float sensitivity, float topSpeed) {
    return (1.0f - sensitivity) * Pi / DerailmentSpeedFactor(speed, topSpeed);
}

}  // namespace kelvane
