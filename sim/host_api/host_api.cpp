#include "host_api/kelvane_sim_host.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>

#include "hook/hook.h"
#include "host_api/line_sink_stream.h"
#include "scenario/ride_record_json.h"
#include "scenario/play_view.h"
#include "scenario/scenario.h"
#include "scenario/scenario_run.h"
#include "world/simulation.h"

namespace {

sim::Simulation& Simulation();

// Never destroyed: the hook's own state may be gone by the time statics are torn down
// at exit, and a simulation's destructor speaks to the hook.
std::unique_ptr<sim::Simulation>& CurrentSimulation() {
    static auto* simulation = new std::unique_ptr<sim::Simulation>();
    return *simulation;
}

// The scenario a run plays, its runner, which has built the world, and what a play
// page is shown of that world.
struct LoadedScenario {
    sim::Scenario scenario;
    std::unique_ptr<sim::ScenarioRunner> runner;
    sim::PlayView view;
};

std::optional<LoadedScenario>& Loaded() {
    static auto* loaded = new std::optional<LoadedScenario>();
    return *loaded;
}

std::string Hex(std::uint64_t hash) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%016llX", static_cast<unsigned long long>(hash));
    return text;
}

template <typename ReadScenario>
int LoadScenario(ReadScenario read, KsimLineSink errors, void* context) {
    try {
        Loaded().reset();
        KsimReset();
        LoadedScenario& loaded = Loaded().emplace();
        loaded.scenario = read();
        loaded.runner = std::make_unique<sim::ScenarioRunner>(loaded.scenario, Simulation());
        sim::PrepareGameFolder(loaded.scenario);
        return 0;
    } catch (const std::exception& error) {
        Loaded().reset();
        if (errors != nullptr) errors(context, error.what());
        return 1;
    }
}

sim::Simulation& Simulation() {
    auto& simulation = CurrentSimulation();
    if (!simulation) simulation = std::make_unique<sim::Simulation>();
    return *simulation;
}

}  // namespace

extern "C" {

void KsimReset(void) {
    Loaded().reset();
    CurrentSimulation().reset();
    Simulation();
}

void KsimRunFrames(int count, float frameTime) { Simulation().RunFrames(count, frameTime); }

int KsimRegisteredScriptCount(void) { return sim::hook::RegisteredScriptCount(); }

unsigned long long KsimFrameNumber(void) { return Simulation().world().FrameNumber(); }

double KsimGameTimeSeconds(void) { return Simulation().world().GameTime(); }

unsigned long long KsimTotalNativeCalls(void) { return sim::hook::TotalNativeCalls(); }

int KsimUnknownNatives(unsigned long long* hashes, int capacity) {
    int count = 0;
    for (std::uint64_t hash : sim::hook::UnknownNatives()) {
        if (hashes != nullptr && count < capacity) hashes[count] = hash;
        ++count;
    }
    return count;
}

int KsimLoadScenarioFile(const char* path, KsimLineSink errors, void* context) {
    return LoadScenario([&] { return sim::LoadScenarioFile(path); }, errors, context);
}

int KsimLoadScenarioText(const char* text, const char* origin, KsimLineSink errors, void* context) {
    return LoadScenario([&] { return sim::ParseScenario(text, origin); }, errors, context);
}

int KsimPlayScenario(const KsimPlayOutputs* outputs) {
    if (!Loaded() || outputs == nullptr) return -1;
    std::ofstream traceFile;
    if (outputs->tracePath != nullptr) {
        traceFile.open(outputs->tracePath, std::ios::binary);
        if (!traceFile) return -1;
    }
    void* const context = outputs->context;
    sim::LineSinkStream traceLines(outputs->trace, context);
    sim::LineSinkStream timelineStream(outputs->timeline, context);
    sim::LineSinkStream out(outputs->report, context);
    sim::RideRecord record;
    sim::RunOutputs run;
    run.trace = outputs->tracePath ? static_cast<std::ostream*>(&traceFile) : outputs->trace ? &traceLines : nullptr;
    run.timeline = outputs->timeline ? &timelineStream : nullptr;
    run.rideRecord = outputs->rideRecord ? &record : nullptr;
    if (outputs->progress != nullptr) {
        run.progress = [&](double played, double duration) { outputs->progress(context, played, duration); };
    }
    const sim::ScenarioReport result = Loaded()->runner->Run(run);
    traceLines.flush();
    timelineStream.flush();
    if (outputs->rideRecord != nullptr) outputs->rideRecord(context, nlohmann::json(record).dump().c_str());

    int passed = 0;
    int failed = 0;
    const sim::Scenario& scenario = Loaded()->scenario;
    for (std::size_t i = 0; i < result.results.size(); ++i) {
        const sim::ExpectationResult& outcome = result.results[i];
        out << (outcome.met ? "ok     " : "FAILED ") << outcome.name << " ("
            << sim::DescribeWhen(scenario.expectations[i]) << "): " << outcome.detail << '\n';
        ++(outcome.met ? passed : failed);
    }
    // Checks that hold for every run, whatever the scenario expects.
    for (std::uint64_t hash : result.unknownNatives) {
        out << "FAILED the plug-in called native " << Hex(hash) << ", which the game does not know\n";
        ++failed;
    }
    for (std::uint64_t hash : result.nativesGivenNonFiniteFloats) {
        out << "FAILED the plug-in handed an infinite or NaN float to native " << Hex(hash) << '\n';
        ++failed;
    }
    char summary[160];
    std::snprintf(summary, sizeof summary, "%llu frames, %.2f s of game time, %llu native calls",
                  static_cast<unsigned long long>(result.frames), result.gameTime,
                  static_cast<unsigned long long>(result.nativeCalls));
    out << summary << '\n';
    out << "expectations: " << passed << " passed, " << failed << " failed\n";
    const int failures = failed;
    out.flush();
    return failures;
}

int KsimRunScenario(const char* tracePath, KsimLineSink timeline, KsimLineSink report, void* context) {
    KsimPlayOutputs outputs{};
    outputs.tracePath = tracePath;
    outputs.timeline = timeline;
    outputs.report = report;
    outputs.context = context;
    return KsimPlayScenario(&outputs);
}

int KsimPlayFrame(const int* heldControls, int heldCount, float frameTime) {
    if (!Loaded()) return -1;
    std::set<int> held;
    for (int i = 0; heldControls != nullptr && i < heldCount; ++i) held.insert(heldControls[i]);
    Simulation().RunFrame(frameTime, std::move(held));
    Loaded()->view.Observe(Simulation().world());
    return 0;
}

void KsimWalkPlayer(float directionX, float directionY, int running) {
    sim::World& world = Simulation().world();
    world.WalkPedInDirection(world.PlayerPed(), {directionX, directionY, 0.0},
                             running != 0 ? sim::Gait::Run : sim::Gait::Walk);
}

void KsimDescribeScene(double sampleSpacing, KsimLineSink sink, void* context) {
    if (!Loaded() || sink == nullptr || !(sampleSpacing > 0.0)) return;
    sink(context, sim::DescribeScene(Simulation().world(), sampleSpacing).c_str());
}

void KsimDescribeFrame(KsimLineSink sink, void* context) {
    if (!Loaded() || sink == nullptr) return;
    sink(context, Loaded()->view.DescribeFrame(Simulation().world()).c_str());
}

}  // extern "C"
