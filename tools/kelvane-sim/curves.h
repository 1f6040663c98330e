#pragma once
// How freight trains and trams drive under the current settings: the times and distances
// of the driving controls at 60 frames per second, and the turn rates that start a
// derailment, computed with the plug-in's own motion code (`kelvane-sim curves`).

#include <vector>

#include "config/settings.h"

namespace kelvane_sim {

inline constexpr int CurvesFramesPerSecond = 60;
inline constexpr float CurvesFrameTime = 1.0f / CurvesFramesPerSecond;
// Ten minutes of game time: a goal not reached by then is reported as such.
inline constexpr int CurvesFrameLimit = 600 * CurvesFramesPerSecond;

enum class Outcome {
    Reached,
    Never,           // the speed stops changing short of the goal
    NotWithinLimit,  // still changing, but not there after CurvesFrameLimit frames
    NoTopSpeed,      // the goal is a share of a top speed that is 0 or less
};

struct Goal {
    Outcome outcome = Outcome::Never;
    double seconds = 0.0;
    double metres = 0.0;  // travelled towards the goal
};

enum class DerailmentLimit {
    Never,     // sensitivity 0 or less
    Always,    // sensitivity 1 or more: even standing still
    TurnRate,  // turning faster than the turn rate of a speed starts one
};

struct DerailmentPoint {
    float speed = 0.0f;     // m/s
    float turnRate = 0.0f;  // rad/s at which the risk target reaches 1
    float radius = 0.0f;    // m, the tightest curve at this speed: speed / turnRate
};

// The speed after each frame of a run, from the frame after the start; a run that comes
// to a speed that no longer changes ends there.
struct SpeedRun {
    std::vector<float> speeds;
    bool settled = false;  // ended at a speed that no longer changes
};

struct TypeCurves {
    kelvane::TrainType type = kelvane::Freight;
    float forwardTop = 0.0f;
    float backwardTop = 0.0f;
    float sensitivity = 0.0f;
    Goal forwardHalf;       // throttle from rest to 50 % of the forward top speed
    Goal forwardNinety;     // ... to 90 %
    Goal backwardNinety;    // reverse power from rest to 90 % of the backward top speed
    Goal brakeStop;         // brake from the forward top speed to a stop
    Goal handbrakeStop;     // handbrake from the forward top speed to a stop
    DerailmentLimit derailment = DerailmentLimit::Never;
    std::vector<DerailmentPoint> derailmentPoints;  // TurnRate only
    SpeedRun throttleRun;  // from rest
    SpeedRun reverseRun;   // from rest
    SpeedRun brakeRun;     // from the forward top speed
};

// Under kelvane::settings as they stand.
TypeCurves ComputeCurves(kelvane::TrainType type);

// The turn rate that starts a derailment at a speed, and the tightest curve radius, under
// the sensitivity and top speed of the curves, for 0 < sensitivity < 1.
DerailmentPoint DerailmentPointAt(const TypeCurves& curves, float speed);

}  // namespace kelvane_sim
