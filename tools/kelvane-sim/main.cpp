// kelvane-sim: plays the plug-in against the stand-in hook and world, headless.

#include <CLI/CLI.hpp>

#include <exception>
#include <map>
#include <string>
#include <iostream>

#include "commands.h"

namespace {

void AddScenarioOptions(CLI::App& command, kelvane_sim::ScenarioOptions& options) {
    using kelvane_sim::ProgressStyle;
    command.add_option("--game-dir", options.gameDir, "Game folder to run in (default: a fresh temporary folder)");
    command.add_option("--trace", options.trace,
                       "Write one JSON line per frame to this file (- for standard output) instead of the timeline");
    command.add_option("--out", options.out, "Also write hud.png, ride.png and map.png into this folder (Linux tool only)");
    const std::map<std::string, ProgressStyle> styles = {{"auto", ProgressStyle::Automatic},
                                                         {"bar", ProgressStyle::Bar},
                                                         {"lines", ProgressStyle::Lines},
                                                         {"none", ProgressStyle::None}};
    command
        .add_option("--progress", options.progress,
                    "Progress on standard error: auto (a bar on a terminal, a line every 10 % elsewhere, none "
                    "when the trace goes to standard output), bar, lines or none")
        ->transform(CLI::CheckedTransformer(styles));
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"kelvane-sim: runs the Kelvane plug-in on a stand-in script hook and game world"};
    app.require_subcommand(0, 1);
    // Paths such as /home/me/ride.toml are arguments, not Windows-style "/option"s.
    app.allow_windows_style_options(false);

    kelvane_sim::ScenarioOptions ride;
    CLI::App* rideCommand = app.add_subcommand("ride", "Play the built-in default ride and show its timeline (the default)");
    AddScenarioOptions(*rideCommand, ride);

    kelvane_sim::ScenarioOptions run;
    std::filesystem::path scenario;
    CLI::App* runCommand = app.add_subcommand("run", "Play a scenario file and check its expectations");
    runCommand->add_option("scenario", scenario, "Scenario file (TOML)")->required()->check(CLI::ExistingFile);
    AddScenarioOptions(*runCommand, run);

    app.add_subcommand("config", "Start the plug-in in the current folder and print its 25 effective settings");

    std::filesystem::path lintFile = "Kelvane.ini";
    bool lintJson = false;
    CLI::App* lintCommand =
        app.add_subcommand("lint", "Say what the plug-in does with every line of a Kelvane.ini, without changing it");
    lintCommand->add_option("path", lintFile, "The INI file (default: Kelvane.ini in the current folder)");
    lintCommand->add_flag("--json", lintJson, "Give the report as JSON");

    std::filesystem::path curvesFile = "Kelvane.ini";
    std::optional<std::filesystem::path> curvesOut;
    CLI::App* curvesCommand =
        app.add_subcommand("curves", "Show how trains accelerate, brake and derail under a Kelvane.ini's settings");
    curvesCommand->add_option("path", curvesFile, "The INI file (default: Kelvane.ini in the current folder)");
    curvesCommand->add_option("--out", curvesOut, "Also write curves.png into this folder (Linux tool only)");

    kelvane_sim::PlayOptions play;
    CLI::App* playCommand = app.add_subcommand(
        "play", "Play a scenario's world in real time and drive it from a browser page (Linux tool only)");
    playCommand->add_option("scenario", play.scenario, "Scenario file (TOML; default: the default ride's world)")
        ->check(CLI::ExistingFile);
    playCommand->add_option("--port", play.port, "Port on 127.0.0.1 (default: a free one)")->check(CLI::Range(1, 65535));
    playCommand->add_option("--game-dir", play.gameDir, "Game folder to run in (default: a fresh temporary folder)");

    kelvane_sim::SoakOptions soak;
    CLI::App* soakCommand =
        app.add_subcommand("soak", "Random but reproducible play with faults, checking every frame (Linux only)");
    soakCommand->add_option("--frames", soak.frames, "Frames to play")->capture_default_str();
    soakCommand->add_option("--seed", soak.seed, "Seed of every random choice; the same seed replays the run")
        ->capture_default_str();
    soakCommand->add_option("--scenario", soak.scenario, "Scenario whose world to play in (default: the default ride)")
        ->check(CLI::ExistingFile);
    soakCommand->add_option("--game-dir", soak.gameDir,
                            "Game folder to run in, whose Kelvane.ini the soak garbles and deletes "
                            "(default: a fresh temporary folder)");
    soakCommand->add_option("--trace", soak.trace, "Write one JSON line per frame to this file (- for standard output)");

    kelvane_sim::BenchOptions bench;
    CLI::App* benchCommand = app.add_subcommand(
        "bench", "The plug-in's CPU time per frame in each phase, and the stand-in's speed (Linux only)");
    benchCommand->add_option("--json", bench.json, "Also write the figures to this file as JSON");
    benchCommand->add_option("--min-time", bench.minTime, "Seconds of each run of each benchmark")
        ->capture_default_str()
        ->check(CLI::PositiveNumber);
    benchCommand->add_option("--repetitions", bench.repetitions, "Runs of each benchmark; the median is reported")
        ->capture_default_str()
        ->check(CLI::Range(1, 1000));

    CLI11_PARSE(app, argc, argv);
    try {
        if (app.got_subcommand("config")) return kelvane_sim::RunConfigCommand();
        if (app.got_subcommand("lint")) return kelvane_sim::RunLintCommand(lintFile, lintJson, std::cout, std::cerr);
        if (app.got_subcommand("curves")) {
            return kelvane_sim::RunCurvesCommand(curvesFile, curvesOut, std::cout, std::cerr);
        }
        if (app.got_subcommand("run")) return kelvane_sim::RunScenarioCommand(scenario, run);
        if (app.got_subcommand("play")) return kelvane_sim::RunPlayCommand(play);

        if (app.got_subcommand("soak")) return kelvane_sim::RunSoakCommand(soak);
        if (app.got_subcommand("bench")) return kelvane_sim::RunBenchCommand(bench);
        return kelvane_sim::RunRideCommand(ride);
    } catch (const std::exception& error) {
        std::cerr << "kelvane-sim: " << error.what() << '\n';
        return 2;
    }
}
