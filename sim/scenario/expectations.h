#pragma once
// Checks a scenario's expectations against the frames of a run.

#include <optional>
#include <string>

#include "scenario/scenario.h"
#include "world/world.h"

namespace sim {

struct ExpectationResult {
    std::string name;
    bool met = false;
    std::string detail;  // why it failed, or when it held
};

class ExpectationCheck {
public:
    explicit ExpectationCheck(const Expectation& expectation) : expectation_(expectation) {}

    // After each frame, with the game time at which that frame started.
    void ObserveFrame(double frameStart, const World& world);
    ExpectationResult Finish(double endTime) const;

private:
    const Expectation& expectation_;
    bool decided_ = false;
    bool met_ = false;
    bool sawWindow_ = false;
    std::string detail_;
};

// Why the expectation's conditions do not hold in this frame, or nothing when they all do.
std::optional<std::string> Mismatch(const Expectation& expectation, const World& world);

// "at 3.0 s", "within 2.0-4.0 s", "during 2.0-4.0 s".
std::string DescribeWhen(const Expectation& expectation);

}  // namespace sim
