#pragma once
// Plays a scenario on the stand-in: builds its world, presses its controls, fires its
// events, checks its expectations, and writes the trace and the timeline if asked.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <set>
#include <vector>

#include "scenario/expectations.h"
#include "scenario/ride_record.h"
#include "scenario/scenario.h"
#include "world/simulation.h"

namespace sim {

struct ScenarioReport {
    std::vector<ExpectationResult> results;
    std::uint64_t frames = 0;
    double gameTime = 0.0;
    std::uint64_t nativeCalls = 0;
    std::set<std::uint64_t> unknownNatives;
    std::set<std::uint64_t> nativesGivenNonFiniteFloats;

    int Failures() const;
};

// Writes the scenario's Kelvane.ini, if it has one, into the current folder (the game's).
void PrepareGameFolder(const Scenario& scenario);

// What a run writes besides its report; each is optional.
struct RunOutputs {
    std::ostream* trace = nullptr;     // one JSON line per frame
    std::ostream* timeline = nullptr;  // the readable story
    RideRecord* rideRecord = nullptr;  // what pictures of the run need
    // After each frame: the game time played so far, and the scenario's duration.
    std::function<void(double played, double duration)> progress;
};

class ScenarioRunner {
public:
    // Builds the scenario's world into the simulation, which must be fresh.
    ScenarioRunner(const Scenario& scenario, Simulation& simulation);

    // Plays every frame. The plug-in must be registered with the hook beforehand.
    ScenarioReport Run(const RunOutputs& outputs);
    ScenarioReport Run(std::ostream* trace, std::ostream* timeline);

private:
    float FrameTimeOf(std::uint64_t frame) const;
    std::set<int> HeldAt(double time);
    void FireEventsDue(double time);

    const Scenario& scenario_;
    Simulation& simulation_;
    std::vector<bool> inputStarted_;
    std::vector<bool> eventFired_;
};

}  // namespace sim
