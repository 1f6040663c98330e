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

namespace kelvane_sim {

namespace {

void ToStdout(void*, const char* line) { std::cout << line << '\n'; }
void ToStderr(void*, const char* line) { std::cerr << "kelvane-sim: " << line << '\n'; }

// Loads the scenario into a fresh world inside the game folder, starts the plug-in there
// and plays the scenario. The timeline is printed unless a trace is written.
int PlayScenario(const std::function<int()>& load, const ScenarioOptions& options) {
    std::optional<std::filesystem::path> trace;
    if (options.trace) trace = std::filesystem::absolute(*options.trace);
    GameFolder folder(options.gameDir);
    if (load() != 0) return 2;
    LoadPlugin();
    const std::string tracePath = trace ? trace->string() : std::string();
    const int failures = KsimRunScenario(trace ? tracePath.c_str() : nullptr, trace ? nullptr : ToStdout, ToStdout,
                                         nullptr);
    UnloadPlugin();
    if (failures < 0) {
        std::cerr << "kelvane-sim: cannot write the trace to " << tracePath << '\n';
        return 2;
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

int RunScenarioCommand(const std::filesystem::path& scenario, const ScenarioOptions& options) {
    const std::string path = std::filesystem::absolute(scenario).string();
    return PlayScenario([&] { return KsimLoadScenarioFile(path.c_str(), ToStderr, nullptr); }, options);
}

int RunRideCommand(const ScenarioOptions& options) {
    return PlayScenario(
        [] { return KsimLoadScenarioText(DefaultScenarioText, "the default ride", ToStderr, nullptr); }, options);
}

}  // namespace kelvane_sim
