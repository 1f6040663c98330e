#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "progress.h"

namespace kelvane_sim {

// Starts the plug-in in the current folder, as the game would, and prints the 25
// effective settings as "Key = value" in file order.
int RunConfigCommand();

// Says what the plug-in's reader does with each line of a Kelvane.ini, which keys it
// misses, and the 25 settings a fresh start gets from it; as JSON on request. 0 when
// every line that looks like a setting sets one and no key is missing, 1 otherwise, 2
// when the file cannot be read.
int RunLintCommand(const std::filesystem::path& file, bool json, std::ostream& out, std::ostream& err);

// Prints how freight trains and trams drive under the settings a start with this file
// gives, and with outDir also writes outDir/curves.png (Linux tool only). 2 when the
// picture cannot be written.
int RunCurvesCommand(const std::filesystem::path& file, const std::optional<std::filesystem::path>& outDir,
                     std::ostream& out, std::ostream& err);

struct ScenarioOptions {
    std::optional<std::filesystem::path> gameDir;  // default: a fresh temporary folder
    std::optional<std::filesystem::path> trace;    // one JSON line per frame; "-" for standard output
    std::optional<std::filesystem::path> out;      // the folder for hud.png, ride.png and map.png
    ProgressStyle progress = ProgressStyle::Automatic;
};

// Plays a scenario file with the plug-in and checks its expectations: 0 when all hold,
// 1 when one fails, 2 when the file cannot be read or a picture or trace not written.
int RunScenarioCommand(const std::filesystem::path& scenario, const ScenarioOptions& options);

// Plays the built-in default ride.
int RunRideCommand(const ScenarioOptions& options);

struct PlayOptions {
    std::optional<std::filesystem::path> scenario;  // default: the default ride's world
    std::optional<std::filesystem::path> gameDir;   // default: a fresh temporary folder
    int port = 0;                                   // 0: a free one
};

// Plays a scenario's world in real time, without its timeline, for a browser page on
// 127.0.0.1 that shows it and sends the keys, until SIGINT or SIGTERM (Linux tool only).
// 0 after a clean stop, 2 when the scenario cannot be read or the port cannot be had.
int RunPlayCommand(const PlayOptions& options);

struct SoakOptions {
    std::uint64_t frames = 100'000;
    std::uint64_t seed = 1;
    std::optional<std::filesystem::path> scenario;  // default: the default ride's world
    std::optional<std::filesystem::path> gameDir;   // default: a fresh temporary folder
    std::optional<std::filesystem::path> trace;     // "-" for standard output
};

// Random but reproducible play with faults over a scenario's world, checking every frame;
// 0 when every check held, 1 naming the frame and the replay command when one broke.
// Linux only.
int RunSoakCommand(const SoakOptions& options);

struct BenchOptions {
    std::optional<std::filesystem::path> json;  // the same figures as JSON
    double minTime = 0.1;                        // seconds of each run of each benchmark
    int repetitions = 5;                         // runs; their median is reported
};

// The plug-in's CPU time and native calls per frame in each phase against a minimal
// world, the stand-in hook's own costs, the configuration reload and the frames per
// second of the whole stand-in on the default ride. Linux only.
int RunBenchCommand(const BenchOptions& options);

}  // namespace kelvane_sim
