#include "curves.h"

#include <cmath>

#include "dynamics/derailment_target.h"
#include "dynamics/driving_speed.h"

namespace kelvane_sim {

namespace {

using kelvane::TrainType;

float FixedFrameTime() { return CurvesFrameTime; }
bool ThrottleHeld(int control) { return control == kelvane::ThrottleControl; }
bool BrakeHeld(int control) { return control == kelvane::BrakeControl; }
bool HandbrakeHeld(int control) { return control == kelvane::HandbrakeControl; }

// The plug-in's driving frame, again and again, with one control held.
SpeedRun Drive(TrainType type, float start, bool (*held)(int)) {
    SpeedRun run;
    float speed = start;
    for (int frame = 0; frame < CurvesFrameLimit; ++frame) {
        const float next = kelvane::DriveOneFrame(speed, type, {held, FixedFrameTime}).speed;
        run.speeds.push_back(next);
        // Every frame from the same speed gives the same next one.
        if (next == speed) {
            run.settled = true;
            break;
        }
        speed = next;
    }
    return run;
}

Goal NotReached(Outcome outcome) {
    Goal goal;
    goal.outcome = outcome;
    return goal;
}

// The first frame of the run whose speed meets the goal; direction +1 counts the
// distance travelled forwards, -1 backwards.
template <typename Met>
Goal FirstFrame(const SpeedRun& run, int direction, Met met) {
    Goal goal;
    for (std::size_t i = 0; i < run.speeds.size(); ++i) {
        goal.metres += std::fmax(direction * run.speeds[i], 0.0f) * static_cast<double>(CurvesFrameTime);
        if (met(run.speeds[i])) {
            goal.outcome = Outcome::Reached;
            goal.seconds = static_cast<double>(i + 1) / CurvesFramesPerSecond;
            return goal;
        }
    }
    return NotReached(run.settled ? Outcome::Never : Outcome::NotWithinLimit);
}

Goal ForwardShare(const SpeedRun& run, float top, float share) {
    if (!(top > 0.0f)) return NotReached(Outcome::NoTopSpeed);
    return FirstFrame(run, 1, [&](float speed) { return speed >= share * top; });
}

Goal StopFrom(const SpeedRun& run, float top) {
    if (!(top > 0.0f)) return NotReached(Outcome::NoTopSpeed);
    return FirstFrame(run, 1, [](float speed) { return speed <= 0.0f; });
}

}  // namespace

DerailmentPoint DerailmentPointAt(const TypeCurves& curves, float speed) {
    const float rate = kelvane::DerailingTurnRate(speed, curves.sensitivity, curves.forwardTop);
    return {speed, rate, speed / rate};
}

TypeCurves ComputeCurves(TrainType type) {
    TypeCurves curves;
    curves.type = type;
    curves.forwardTop = kelvane::settings.SpeedForward[type];
    curves.backwardTop = kelvane::settings.SpeedBackward[type];
    curves.sensitivity = kelvane::settings.Derailment[type];

    curves.throttleRun = Drive(type, 0.0f, ThrottleHeld);
    curves.forwardHalf = ForwardShare(curves.throttleRun, curves.forwardTop, 0.5f);
    curves.forwardNinety = ForwardShare(curves.throttleRun, curves.forwardTop, 0.9f);

    curves.reverseRun = Drive(type, 0.0f, BrakeHeld);
    curves.backwardNinety = curves.backwardTop > 0.0f
                                ? FirstFrame(curves.reverseRun, -1,
                                             [&](float speed) { return speed <= -0.9f * curves.backwardTop; })
                                : NotReached(Outcome::NoTopSpeed);

    const float top = curves.forwardTop > 0.0f ? curves.forwardTop : 0.0f;
    curves.brakeRun = Drive(type, top, BrakeHeld);
    curves.brakeStop = StopFrom(curves.brakeRun, curves.forwardTop);
    curves.handbrakeStop = StopFrom(Drive(type, top, HandbrakeHeld), curves.forwardTop);

    if (curves.sensitivity >= 1.0f) {
        curves.derailment = DerailmentLimit::Always;
    } else if (curves.sensitivity > 0.0f) {
        curves.derailment = DerailmentLimit::TurnRate;
        // Quarters of the top speed show where the speed factor starts to count; without
        // a top speed, a few speeds that trains reach.
        const std::vector<float> speeds = curves.forwardTop > 0.0f
                                              ? std::vector<float>{0.25f * top, 0.5f * top, 0.75f * top, top}
                                              : std::vector<float>{5.0f, 10.0f, 20.0f, 40.0f};
        for (const float speed : speeds) curves.derailmentPoints.push_back(DerailmentPointAt(curves, speed));
    }
    return curves;
}

}  // namespace kelvane_sim
