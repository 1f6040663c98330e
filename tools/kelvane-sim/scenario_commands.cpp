#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>

#include "commands.h"
#include "default_scenario.h"
#include "game_folder.h"
#include "host_api/kelvane_sim_host.h"
#include "plugin_module.h"
#include "progress.h"
#include "ride_pictures.h"

namespace kelvane_sim {

namespace fs = std::filesystem;

namespace {

// What the stand-in's sinks write to during a run.
struct RunConsole {
    Progress* progress = nullptr;
    bool progressSharesTerminal = false;  // standard output and the bar on one screen
    std::string rideRecord;
};

void ToStdout(void* context, const char* line) {
    auto* console = static_cast<RunConsole*>(context);
    if (console->progressSharesTerminal) console->progress->Clear();
    std::cout << line << '\n';
}
void ToStderr(void*, const char* line) { std::cerr << "kelvane-sim: " << line << '\n'; }
void ReportToStderr(void* context, const char* line) {
    static_cast<RunConsole*>(context)->progress->Clear();
    std::cerr << line << '\n';
}
void KeepRideRecord(void* context, const char* json) { static_cast<RunConsole*>(context)->rideRecord = json; }
void ShowProgress(void* context, double played, double duration) {
    static_cast<RunConsole*>(context)->progress->Update(played, duration);
}

bool TraceOnStandardOutput(const ScenarioOptions& options) { return options.trace && *options.trace == "-"; }

// Loads the scenario into a fresh world inside the game folder, starts the plug-in there
// and plays the scenario. The timeline is printed unless a trace is written.
int PlayScenario(const std::function<int()>& load, const std::string& what, const ScenarioOptions& options) {
    const bool traceToStdout = TraceOnStandardOutput(options);
    std::optional<fs::path> traceFile;
    if (options.trace && !traceToStdout) traceFile = fs::absolute(*options.trace);
    std::optional<fs::path> out;
    if (options.out) {
        if (!RidePicturesAvailable()) {
            std::cerr << "kelvane-sim: --out: pictures are made by the Linux tool only\n";
            return 2;
        }
        out = fs::absolute(*options.out);
        std::error_code error;
        fs::create_directories(*out, error);
        if (!fs::is_directory(*out)) {
            std::cerr << "kelvane-sim: --out: cannot make the folder " << options.out->string() << '\n';
            return 2;
        }
    }

    const ProgressStyle style = ResolveProgressStyle(options.progress, StandardErrorIsTerminal(), traceToStdout);
    Progress progress(stderr, style, what);
    RunConsole console;
    console.progress = &progress;
    console.progressSharesTerminal = style == ProgressStyle::Bar && StandardOutputIsTerminal();

    GameFolder folder(options.gameDir);
    if (load() != 0) return 2;
    LoadPlugin();
    const std::string tracePath = traceFile ? traceFile->string() : std::string();
    KsimPlayOutputs outputs{};
    outputs.tracePath = traceFile ? tracePath.c_str() : nullptr;
    outputs.trace = traceToStdout ? ToStdout : nullptr;
    outputs.timeline = options.trace ? nullptr : ToStdout;
    // With the trace on standard output, the report goes to standard error.
    outputs.report = traceToStdout ? ReportToStderr : ToStdout;
    outputs.rideRecord = out ? KeepRideRecord : nullptr;
    outputs.progress = style == ProgressStyle::None ? nullptr : ShowProgress;
    outputs.context = &console;
    const int failures = KsimPlayScenario(&outputs);
    progress.Finish();
    UnloadPlugin();
    if (failures < 0) {
        std::cerr << "kelvane-sim: cannot write the trace to " << tracePath << '\n';
        return 2;
    }
    if (out) {
        std::string error;
        if (!WriteRidePictures(console.rideRecord, *out, error)) {
            std::cerr << "kelvane-sim: " << error << '\n';
            return 2;
        }
        (traceToStdout ? std::cerr : std::cout)
            << "pictures of the ride in " << options.out->string() << ": hud.png, ride.png, map.png\n";
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int RunScenarioCommand(const fs::path& scenario, const ScenarioOptions& options) {
    const std::string path = fs::absolute(scenario).string();
    return PlayScenario([&] { return KsimLoadScenarioFile(path.c_str(), ToStderr, nullptr); },
                        scenario.filename().string(), options);
}

int RunRideCommand(const ScenarioOptions& options) {
    return PlayScenario(
        [] { return KsimLoadScenarioText(DefaultScenarioText, "the default ride", ToStderr, nullptr); },
        "the default ride", options);
}

}  // namespace kelvane_sim
