#include "scenario/scenario_run.h"

#include <fstream>

#include "hook/hook.h"
#include "scenario/ride_recorder.h"
#include "scenario/timeline.h"
#include "scenario/trace.h"

namespace sim {

namespace {

// A run whose frame times never advance the clock still ends.
constexpr std::uint64_t MaxFrames = 10'000'000;

}  // namespace

int ScenarioReport::Failures() const {
    int failures = 0;
    for (const ExpectationResult& result : results) failures += result.met ? 0 : 1;
    return failures;
}

void PrepareGameFolder(const Scenario& scenario) {
    if (scenario.ini) std::ofstream("Kelvane.ini", std::ios::binary) << *scenario.ini;
}

ScenarioRunner::ScenarioRunner(const Scenario& scenario, Simulation& simulation)
    : scenario_(scenario),
      simulation_(simulation),
      inputStarted_(scenario.inputs.size(), false),
      eventFired_(scenario.events.size(), false) {
    BuildWorld(scenario, simulation.world());
}

float ScenarioRunner::FrameTimeOf(std::uint64_t frame) const {
    float frameTime = scenario_.frameTime;
    for (const FrameTimeOverride& change : scenario_.frameTimeOverrides) {
        if (frame >= change.firstFrame && frame < change.firstFrame + change.frames) frameTime = change.frameTime;
    }
    return frameTime;
}

std::set<int> ScenarioRunner::HeldAt(double time) {
    std::set<int> held;
    for (std::size_t i = 0; i < scenario_.inputs.size(); ++i) {
        const InputSpec& input = scenario_.inputs[i];
        if (time < input.at) continue;
        // Every input is held for at least one frame, however short its hold.
        if (!inputStarted_[i] || time < input.at + input.hold) held.insert(input.control);
        inputStarted_[i] = true;
    }
    return held;
}

void ScenarioRunner::FireEventsDue(double time) {
    World& world = simulation_.world();
    for (std::size_t i = 0; i < scenario_.events.size(); ++i) {
        const EventSpec& event = scenario_.events[i];
        if (eventFired_[i] || time < event.at) continue;
        eventFired_[i] = true;
        switch (event.kind) {
            case EventSpec::Kind::TrainVanishes: world.VanishTrain(event.train); break;
            case EventSpec::Kind::PlayerDies: world.KillPed(world.PlayerPed()); break;
            case EventSpec::Kind::EngineerDies:
                world.KillPed(world.PedInSeat(world.FindTrainCar(event.train, 0), DriverSeat));
                break;
            case EventSpec::Kind::PlayerWalksTo: world.WalkPedTo(world.PlayerPed(), event.position, event.speed); break;
            case EventSpec::Kind::PlayerTeleports:
                world.PlacePed(world.PlayerPed(), event.position, event.heading);
                break;
            case EventSpec::Kind::BlockDoor:
                world.BlockDoor(world.FindTrainCar(event.train, event.car), event.door, event.limit);
                break;
        }
    }
}

ScenarioReport ScenarioRunner::Run(std::ostream* trace, std::ostream* timeline) {
    RunOutputs outputs;
    outputs.trace = trace;
    outputs.timeline = timeline;
    return Run(outputs);
}

ScenarioReport ScenarioRunner::Run(const RunOutputs& outputs) {
    World& world = simulation_.world();
    std::vector<ExpectationCheck> checks;
    for (const Expectation& expectation : scenario_.expectations) checks.emplace_back(expectation);
    std::optional<Timeline> timeline;
    if (outputs.timeline != nullptr) timeline.emplace(*outputs.timeline);
    std::optional<RideRecorder> recorder;
    if (outputs.rideRecord != nullptr) recorder.emplace(world, scenario_.name, scenario_.duration);

    std::uint64_t frame = 0;
    while (world.GameTime() < scenario_.duration && frame < MaxFrames) {
        const double frameStart = world.GameTime();
        FireEventsDue(frameStart);
        simulation_.RunFrame(FrameTimeOf(frame), HeldAt(frameStart));
        for (ExpectationCheck& check : checks) check.ObserveFrame(frameStart, world);
        if (outputs.trace != nullptr) WriteTraceLine(*outputs.trace, world, frameStart, hook::CallLog().size());
        if (timeline) timeline->Frame(frameStart, world);
        if (recorder) recorder->Frame(frameStart, world);
        if (outputs.progress) outputs.progress(world.GameTime(), scenario_.duration);
        ++frame;
    }
    if (recorder) *outputs.rideRecord = recorder->Finish(world);

    ScenarioReport report;
    for (const ExpectationCheck& check : checks) report.results.push_back(check.Finish(world.GameTime()));
    report.frames = frame;
    report.gameTime = world.GameTime();
    report.nativeCalls = hook::TotalNativeCalls();
    report.unknownNatives = hook::UnknownNatives();
    report.nativesGivenNonFiniteFloats = hook::NativesGivenNonFiniteFloats();
    return report;
}

}  // namespace sim
