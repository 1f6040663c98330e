#include "dynamics/formulas.h"

#include <algorithm>
#include <cmath>

#include "config/settings.h"
#include "dynamics/float_range.h"
#include "dynamics/speed_steps.h"
#include "host/natives.h"

namespace kelvane {

namespace {

// Motion this far off the heading or more counts as backwards (about 17 degrees).
constexpr double BackwardsAngle = 0.3;

// A stopping run gives up after this many simulated frames ...
constexpr int MaxStoppingFrames = 2000;
// ... and then reports this distance, which the engineer treats as "cannot stop".
constexpr float NoStopDistance = 100000.0f;

}  // namespace

float AngleBetween2D(float ax, float ay, float bx, float by) {
    const float lengthProduct = std::sqrt(ax * ax + ay * ay) * std::sqrt(bx * bx + by * by);
    if (lengthProduct == 0.0f) return 0.0f;
    // Rounding can push the cosine of (anti)parallel vectors just past 1.
    const float cosine = std::clamp((ax * bx + ay * by) / lengthProduct, -1.0f, 1.0f);
    // Double-precision arc cosine: single-precision ones differ between C libraries.
    return static_cast<float>(std::acos(static_cast<double>(cosine)));
}

float SignedTrainSpeed(Entity entity) {
    const float forwardX = GET_ENTITY_FORWARD_X(entity);
    const float forwardY = GET_ENTITY_FORWARD_Y(entity);
    const Vector3 velocity = GET_ENTITY_SPEED_VECTOR(entity, false);
    const float speed = GET_ENTITY_SPEED(entity);
    const float angle = AngleBetween2D(forwardX, forwardY, velocity.x, velocity.y);
    return static_cast<double>(angle) >= BackwardsAngle ? -speed : speed;
}

float DistanceToLine2D(float px, float py, float ax, float ay, float bx, float by) {
    const float dx = bx - ax;
    const float dy = by - ay;
    float numerator = dy * px - dx * py + bx * ay - by * ax;
    if (numerator < 0.0f) numerator *= -1.0f;
    const float length = std::sqrt(dx * dx + dy * dy);
    if (length == 0.0f) return 0.0f;
    return numerator / length;
}

float DistanceToSegment2D(float px, float py, float ax, float ay, float bx, float by) {
    const auto distance = [](float x1, float y1, float x2, float y2) {
        return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    };
    const float dx = bx - ax;
    const float dy = by - ay;
    if (dx == 0.0f && dy == 0.0f) return distance(px, py, ax, ay);
    // Where P's projection falls along the segment: 0 at A, 1 at B.
    const float t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy);
    if (t < 0.0f) return distance(px, py, ax, ay);
    if (t > 1.0f) return distance(px, py, bx, by);
    return distance(px, py, ax + t * dx, ay + t * dy);
}

float AccelerationStep(float speed, float maxSpeed, float acceleration) {
    return AccelerationGain(speed, maxSpeed, acceleration, GET_FRAME_TIME());
}

float BrakingStep(float speed, float maxSpeed, float braking) {
    return BrakingLoss(speed, maxSpeed, braking, GET_FRAME_TIME());
}

float StoppingDistance(float speed, float braking) {
    float v = std::fabs(speed);
    if (!(v > 0.0f)) return 0.0f;
    int framesLeft = MaxStoppingFrames;
    float distance = 0.0f;
    // The current frame time stands for every simulated frame; it is asked for anew at
    // each use, as the game answers the same within a frame.
    do {
        if (framesLeft <= 0) return NoStopDistance;
        if (distance >= NoStopDistance) break;
        v = SaturateToFloatRange(v - BrakingLoss(v, settings.EngineerTopSpeed, braking, GET_FRAME_TIME()));
        --framesLeft;
        // The speed after this frame's braking: on the last frame it may be slightly
        // negative and take a little off the total.
        distance = SaturateToFloatRange(distance + SaturateToFloatRange(v * GET_FRAME_TIME()));
    } while (v > 0.0f);
    return framesLeft > 0 ? distance : NoStopDistance;
}

}  // namespace kelvane
