#pragma once
// Plane geometry and the model of how a train speeds up and slows down. Arithmetic is
// in 32-bit floats; plane geometry uses the world x and y axes and ignores heights.
// Speeds in m/s, accelerations and braking in m/s², angles in radians.

#include "host/native_types.h"

namespace kelvane {

// Angle between two plane vectors, 0 to pi; 0 when either vector has no length.
float AngleBetween2D(float ax, float ay, float bx, float by);

// The entity's speed, negative when it moves 0.3 rad or more off its heading.
float SignedTrainSpeed(Entity entity);

// Distance from P to the infinite line through A and B; 0 when A and B coincide.
float DistanceToLine2D(float px, float py, float ax, float ay, float bx, float by);

// Distance from P to the segment from A to B.
float DistanceToSegment2D(float px, float py, float ax, float ay, float bx, float by);

// Speed gained under power in this frame, a magnitude that includes the frame time.
// Per unit of acceleration and second the gain is 0.2 at rest, peaks at 1.0 at 0.5 m/s,
// falls to 0.02 at maxSpeed and to 0 at twice maxSpeed, and is negative beyond. A
// maxSpeed of 0 or less (a train set up with no top speed) gains nothing at any speed.
float AccelerationStep(float speed, float maxSpeed, float acceleration);

// Speed lost under braking in this frame, a magnitude that includes the frame time:
// half the braking value at rest, the full value at maxSpeed, more beyond. A maxSpeed
// of 0 or less brakes with the full braking value at every speed, so such a train can
// still be stopped.
float BrakingStep(float speed, float maxSpeed, float braking);

// Distance the engineer needs to stop from this speed, simulated frame by frame with
// the braking curve at settings.EngineerTopSpeed and the current frame time. 100000
// when 2000 frames do not stop the train.
float StoppingDistance(float speed, float braking);

// The speed steps never give an infinite or undefined value for finite arguments and
// settings: an overflowing product saturates at the largest float of its sign, and a
// frame time of 0 gives a step of 0.

}  // namespace kelvane
