// kelvane-sim soak: random but reproducible play over a scenario's world, with faults,
// checking after every frame what must always hold.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "commands.h"
#include "default_scenario.h"
#include "game_folder.h"
#include "hook/hook.h"
#include "plugin_module.h"
#include "scenario/scenario.h"
#include "scenario/scenario_run.h"
#include "scenario/trace.h"
#include "soak/crash_report.h"
#include "soak/crash_walls.h"
#include "soak/ini_watch.h"
#include "progress.h"
#include "soak/resident_memory.h"
#include "soak/soak_checks.h"
#include "soak/soak_faults.h"
#include "soak/soak_player.h"
#include "world/simulation.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_SIM_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELVANE_SIM_ADDRESS_SANITIZER 1
#endif

namespace kelvane_sim {

namespace {

constexpr double MiB = 1024.0 * 1024.0;
constexpr double MostMemoryGrowth = 1.0 * MiB;
constexpr std::size_t CallsOfTheBusiestFrame = 8192;
#ifdef KELVANE_SIM_ADDRESS_SANITIZER
constexpr bool MemoryIsMeasured = false;  // AddressSanitizer holds freed memory back
#else
constexpr bool MemoryIsMeasured = true;
#endif

struct SoakOutcome {
    std::uint64_t frames = 0;  // played
    double gameSeconds = 0.0;
    double wallSeconds = 0.0;
    std::uint64_t boardings = 0;
    std::optional<std::string> failure;
    bool failedInFrame = false;  // the last frame played broke it
    std::uint64_t memoryAtTenth = 0;
    std::uint64_t memoryAtEnd = 0;
};

double MemoryGrowth(const SoakOutcome& run) {
    return static_cast<double>(run.memoryAtEnd) - static_cast<double>(run.memoryAtTenth);
}

std::string ReplayPrefix(const SoakOptions& options) {
    std::string command = "kelvane-sim soak --seed " + std::to_string(options.seed);
    if (options.scenario) command += " --scenario " + std::filesystem::absolute(*options.scenario).string();
    return command + " --frames ";
}

std::string Mib(double bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%+.2f MiB", bytes / MiB);
    return text;
}

void PrintSummary(std::ostream& out, const SoakOptions& options, const std::string& origin, const SoakOutcome& run,
                  const sim::World& world, const SoakFaults& faults, const SoakChecks& checks,
                  const IniWatch& ini) {
    char line[256];
    std::snprintf(line, sizeof line, "soak: %llu frames from seed %llu on %s",
                  static_cast<unsigned long long>(run.frames), static_cast<unsigned long long>(options.seed),
                  origin.c_str());
    out << line << '\n';
    std::snprintf(line, sizeof line, "  %.1f s of game time in %.2f s: %.0f frames per second", run.gameSeconds,
                  run.wallSeconds, run.wallSeconds > 0.0 ? static_cast<double>(run.frames) / run.wallSeconds : 0.0);
    out << line << '\n';
    out << "  boardings " << run.boardings << ", derailments " << world.Derailments() << ", explosions "
        << world.ExplosionsSoFar() << '\n';
    out << "  faults injected " << faults.Total() << ':';
    for (int kind = 0; kind < FaultKinds; ++kind) {
        out << (kind == 0 ? " " : ", ") << FaultName(static_cast<Fault>(kind)) << ' '
            << faults.Count(static_cast<Fault>(kind));
    }
    out << '\n';
    out << "  trains respawned " << faults.TrainsRespawned() << "; Kelvane.ini created by the plug-in "
        << ini.FilesCreated() << " times\n";
    out << "  vehicles of the plug-in alive at most " << checks.MostVehiclesSeen() << " (limit "
        << MostVehiclesOfThePlugin << ")\n";
    if (!MemoryIsMeasured) {
        out << "  resident memory: not checked under AddressSanitizer, which holds freed memory back\n";
    } else if (run.memoryAtTenth != 0) {
        out << "  resident memory " << Mib(MemoryGrowth(run)) << " from frame " << options.frames / 10
            << " to the end (limit +1 MiB)\n";
    }
}

// Plays the frames; stops at the first frame that breaks an invariant.
SoakOutcome Play(const SoakOptions& options, sim::Simulation& simulation, SoakPlayer& player, SoakFaults& faults,
                 SoakChecks& checks, std::ostream* trace, Progress& progress) {
    SoakOutcome run;
    sim::World& world = simulation.world();
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t frame = 0; frame < options.frames; ++frame) {
        SetCrashFrame(frame);
        const float frameTime = faults.BeforeFrame(frame);
        std::set<int> held = player.BeforeFrame(frame);
        const double frameStart = world.GameTime();
        simulation.RunFrame(frameTime, std::move(held));
        run.frames = frame + 1;
        if (trace != nullptr) sim::WriteTraceLine(*trace, world, frameStart, sim::hook::CallLog().size());
        if (player.Boarded()) ++run.boardings;
        run.failure = checks.AfterFrame();
        if (run.failure) {
            run.failedInFrame = true;
            break;
        }
        if (run.frames == options.frames / 10) run.memoryAtTenth = ResidentBytes();
        progress.Update(static_cast<double>(run.frames), static_cast<double>(options.frames));
    }
    run.memoryAtEnd = ResidentBytes();
    run.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.gameSeconds = world.GameTime();
    return run;
}

}  // namespace

int RunSoakCommand(const SoakOptions& options) {
    const std::string origin = options.scenario ? options.scenario->string() : "the default ride";
    const sim::Scenario scenario = options.scenario
                                       ? sim::LoadScenarioFile(std::filesystem::absolute(*options.scenario).string())
                                       : sim::ParseScenario(DefaultScenarioText, origin);

    const bool traceOnStdout = options.trace && options.trace->string() == "-";
    std::ofstream traceFile;
    if (options.trace && !traceOnStdout) {
        traceFile.open(std::filesystem::absolute(*options.trace), std::ios::binary);
        if (!traceFile) {
            std::cerr << "kelvane-sim: cannot write the trace to " << options.trace->string() << '\n';
            return 2;
        }
    }
    std::ostream* trace = traceOnStdout ? &std::cout : options.trace ? &traceFile : nullptr;
    std::ostream& out = traceOnStdout ? std::cerr : std::cout;
    const std::string replay = ReplayPrefix(options);
    ReportCrashesOf(replay);

    GameFolder folder(options.gameDir);
    sim::Simulation simulation;
    sim::BuildWorld(scenario, simulation.world());
    AddCrashWalls(simulation.world());
    sim::PrepareGameFolder(scenario);

    SoakRandom random(options.seed);
    IniWatch ini(folder.Path() / "Kelvane.ini");
    SoakPlayer player(simulation.world(), random);
    SoakFaults faults(simulation.world(), random, scenario, folder.Path(), ini, [] {
        UnloadPlugin();
        LoadPlugin();
    });
    SoakChecks checks(simulation.world(), ini);
    const ProgressStyle style =
        ResolveProgressStyle(ProgressStyle::Automatic, StandardErrorIsTerminal(), traceOnStdout);
    Progress progress(stderr, style, "soak", ProgressUnit::Frames);

    // The busiest frames of the plug-in, the engineer's evaluations, make about 4,000
    // native calls: the hook's log takes them from the start, not as a late growth.
    sim::hook::ReserveCallLog(CallsOfTheBusiestFrame);
    LoadPlugin();
    SoakOutcome run = Play(options, simulation, player, faults, checks, trace, progress);
    faults.Finish();
    UnloadPlugin();
    progress.Finish();

    if (MemoryIsMeasured && !run.failure && run.memoryAtTenth != 0 && MemoryGrowth(run) >= MostMemoryGrowth) {
        run.failure = "resident memory grew by " + Mib(MemoryGrowth(run)) + " between frame " +
                      std::to_string(options.frames / 10) + " and the end";
    }
    PrintSummary(out, options, origin, run, simulation.world(), faults, checks, ini);
    if (!run.failure) {
        out << "soak: every check held in every frame\n";
        return 0;
    }
    if (run.failedInFrame) {
        out << "kelvane-sim soak: FAILED in frame " << run.frames - 1 << " (seed " << options.seed
            << "): " << *run.failure << "\n  replay: " << replay << run.frames << '\n';
    } else {
        out << "kelvane-sim soak: FAILED after frame " << run.frames - 1 << " (seed " << options.seed
            << "): " << *run.failure << "\n  replay: " << replay << run.frames << '\n';
    }
    return 1;
}

}  // namespace kelvane_sim
