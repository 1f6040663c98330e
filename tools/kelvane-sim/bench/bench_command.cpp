// kelvane-sim bench: what the plug-in costs per frame in each phase, against the minimal
// world, with the figures around it: the stand-in hook's share, the configuration
// reload, and the speed of the whole stand-in on the default ride.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "bench/frame_player.h"
#include "commands.h"
#include "config/config_reader.h"
#include "config/default_config_writer.h"
#include "default_scenario.h"
#include "game_folder.h"
#include "host/natives.h"
#include "hook/hook.h"
#include "plugin_module.h"
#include "scenario/scenario.h"
#include "scenario/scenario_run.h"
#include "world/simulation.h"

namespace kelvane_sim {

namespace {

constexpr double TargetMicroseconds = 2.0;
// Frames per script slice, and so per benchmark iteration.
constexpr int FramesPerSlice = 1000;
const std::string TimingName = "timing";
const std::string SwitchName = "script switch";
const std::string NativeCallName = "native call";
const std::string ReloadName = "configuration reload";
const std::string RideName = "default ride";

struct Figure {
    double seconds = 0.0;  // median per iteration
    std::map<std::string, double> counters;
};

// Keeps the median of each benchmark (the single run when there is one repetition).
class MedianCollector : public benchmark::BenchmarkReporter {
public:
    explicit MedianCollector(bool single) : single_(single) {}
    bool ReportContext(const Context&) override { return true; }
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool wanted = single_ ? run.run_type == Run::RT_Iteration : run.aggregate_name == "median";
            if (!wanted || run.error_occurred) continue;
            Figure& figure = figures[run.run_name.function_name];
            figure.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto& [name, counter] : run.counters) figure.counters[name] = counter.value;
        }
    }
    std::map<std::string, Figure> figures;

private:
    bool single_;
};

double Microseconds(double seconds) { return seconds * 1e6; }

void Register(const std::string& name, const BenchOptions& options, std::function<void(benchmark::State&)> body,
              bool manualTime) {
    benchmark::internal::Benchmark* bench = benchmark::RegisterBenchmark(name.c_str(), body);
    bench->MinTime(options.minTime)->Repetitions(options.repetitions)->ReportAggregatesOnly(true)->Unit(
        benchmark::kNanosecond);
    if (manualTime) {
        bench->UseManualTime();
    } else {
        bench->UseRealTime();
    }
}

void RegisterAll(const BenchOptions& options, FramePlayer& player, const std::vector<PhaseFrame>& phases,
                 const sim::Scenario& ride) {
    for (const PhaseFrame& phase : phases) {
        Register(phase.name, options, [&player, &phase](benchmark::State& state) {
            player.Install();
            int natives = 0;
            for (auto _ : state) {
                const FrameCost cost = player.Play(phase, FramesPerSlice);
                state.SetIterationTime(cost.seconds);
                natives = cost.nativeCalls;
            }
            state.counters["natives"] = natives;
        }, true);
    }
    Register(TimingName, options, [&player](benchmark::State& state) {
        player.Install();
        for (auto _ : state) state.SetIterationTime(player.TimeNothing(FramesPerSlice));
    }, true);
    Register(SwitchName, options, [&player](benchmark::State& state) {
        player.Install();
        for (auto _ : state) player.PlayEmpty();
    }, false);
    Register(NativeCallName, options, [&player](benchmark::State& state) {
        player.Install();
        for (auto _ : state) {
            sim::hook::ClearCallLog();
            benchmark::DoNotOptimize(kelvane::GET_FRAME_TIME());
        }
    }, false);
    Register(ReloadName, options, [](benchmark::State& state) {
        kelvane::WriteDefaultConfig();  // the default file, which the reloads then read
        for (auto _ : state) {
            kelvane::WriteDefaultConfig();
            kelvane::LoadSettings();
        }
    }, false);
    Register(RideName, options, [&player, &ride](benchmark::State& state) {
        std::uint64_t frames = 0;
        for (auto _ : state) {
            sim::Simulation simulation;
            sim::ScenarioRunner runner(ride, simulation);
            LoadPlugin();
            frames = runner.Run(nullptr, nullptr).frames;
            UnloadPlugin();
        }
        player.Forget();
        state.counters["frames"] = static_cast<double>(frames);
    }, false);
}

}  // namespace

int RunBenchCommand(const BenchOptions& options) {
    std::optional<std::filesystem::path> json;
    if (options.json) json = std::filesystem::absolute(*options.json);
    const sim::Scenario ride = sim::ParseScenario(DefaultScenarioText, "the default ride");
    GameFolder folder(std::nullopt);
    FramePlayer player;
    const std::vector<PhaseFrame> phases = PhaseFrames();
    RegisterAll(options, player, phases, ride);

    char programName[] = "kelvane-sim";
    char* arguments[] = {programName, nullptr};
    int argumentCount = 1;
    benchmark::Initialize(&argumentCount, arguments);
    MedianCollector collector(options.repetitions == 1);
    benchmark::RunSpecifiedBenchmarks(&collector);
    benchmark::Shutdown();
    sim::hook::Reset();

    const auto& figures = collector.figures;
    const double nativeCall = figures.at(NativeCallName).seconds;
    const double timing = figures.at(TimingName).seconds / FramesPerSlice;
    nlohmann::ordered_json report;
    report["repetitions"] = options.repetitions;
    report["target_us"] = TargetMicroseconds;
    std::vector<std::string> overTarget;

    char line[200];
    std::cout << "kelvane-sim bench: medians of " << options.repetitions << " runs, in microseconds\n";
    std::cout << "frame: the plug-in's frame update on the script context, less the cost of timing it\n";
    std::cout << "plug-in: the frame less the stand-in hook's dispatch of its native calls\n\n";
    std::snprintf(line, sizeof line, "%-30s %10s %8s %10s\n", "phase", "frame", "natives", "plug-in");
    std::cout << line;
    for (const PhaseFrame& phase : phases) {
        const Figure& figure = figures.at(phase.name);
        const double frame = std::max(0.0, figure.seconds / FramesPerSlice - timing);
        const double natives = figure.counters.at("natives");
        const double own = std::max(0.0, frame - natives * nativeCall);
        std::snprintf(line, sizeof line, "%-30s %10.3f %8.0f %10.3f\n", phase.name.c_str(), Microseconds(frame),
                      natives, Microseconds(own));
        std::cout << line;
        report["phases"].push_back({{"phase", phase.name},
                                    {"frame_us", Microseconds(frame)},
                                    {"native_calls", natives},
                                    {"plugin_us", Microseconds(own)}});
        if (Microseconds(own) > TargetMicroseconds) overTarget.push_back(phase.name);
    }
    std::cout << "\ntarget: at most " << TargetMicroseconds << " us of plug-in time per frame in every phase: ";
    if (overTarget.empty()) {
        std::cout << "met\n";
    } else {
        std::cout << "exceeded in";
        for (const std::string& name : overTarget) std::cout << (name == overTarget.front() ? " " : ", ") << name;
        std::cout << '\n';
    }
    report["target_met"] = overTarget.empty();

    const double switchSeconds = figures.at(SwitchName).seconds;
    const double reload = figures.at(ReloadName).seconds;
    const Figure& rideFigure = figures.at(RideName);
    const double rideFrames = rideFigure.counters.at("frames");
    const double framesPerSecond = rideFigure.seconds > 0.0 ? rideFrames / rideFigure.seconds : 0.0;
    std::snprintf(line, sizeof line,
                  "\nstand-in hook: %.3f us a native call, %.3f us a script switch; timing a frame: %.3f us\n",
                  Microseconds(nativeCall), Microseconds(switchSeconds), Microseconds(timing));
    std::cout << line;
    std::snprintf(line, sizeof line, "configuration reload (writer and loader over the default file): %.1f us\n",
                  Microseconds(reload));
    std::cout << line;
    std::snprintf(line, sizeof line, "whole stand-in on the default ride: %.0f frames in %.2f ms, %.0f frames per second\n",
                  rideFrames, rideFigure.seconds * 1e3, framesPerSecond);
    std::cout << line;
    report["native_call_us"] = Microseconds(nativeCall);
    report["script_switch_us"] = Microseconds(switchSeconds);
    report["timing_us"] = Microseconds(timing);
    report["config_reload_us"] = Microseconds(reload);
    report["default_ride"] = {{"frames", rideFrames}, {"ms", rideFigure.seconds * 1e3}, {"frames_per_second", framesPerSecond}};

    if (json) {
        std::ofstream out(*json, std::ios::binary);
        out << report.dump(2) << '\n';
        if (!out) {
            std::cerr << "kelvane-sim: cannot write " << json->string() << '\n';
            return 2;
        }
    }
    return 0;
}

}  // namespace kelvane_sim
