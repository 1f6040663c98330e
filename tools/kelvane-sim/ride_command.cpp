#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>

#include "commands.h"
#include "game_folder.h"
#include "hook/hook.h"
#include "plugin_module.h"
#include "world/simulation.h"

namespace kelvane_sim {

namespace {

int CountLines(const std::filesystem::path& file) {
    std::ifstream in(file);
    int lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

}  // namespace

int RunRideCommand(const RideOptions& options) {
    GameFolder folder(options.gameDir);
    const bool hadConfig = std::filesystem::exists("Kelvane.ini");

    sim::Simulation simulation;
    LoadPlugin();
    const int scripts = sim::hook::RegisteredScriptCount();
    const int frames = static_cast<int>(std::lround(options.seconds * options.framesPerSecond));
    simulation.RunFrames(frames, static_cast<float>(1.0 / options.framesPerSecond));
    UnloadPlugin();

    std::cout << "Game folder: " << folder.Path().string() << (folder.Temporary() ? " (temporary)" : "") << '\n';
    std::cout << "The plug-in registered " << scripts << " script" << (scripts == 1 ? "" : "s")
              << " with the stand-in hook.\n";
    if (hadConfig) {
        std::cout << "Kelvane.ini was there already and was read, not written.\n";
    } else if (std::filesystem::exists("Kelvane.ini")) {
        std::cout << "Kelvane.ini was missing: the plug-in wrote the defaults (" << CountLines("Kelvane.ini")
                  << " lines) and read them back.\n";
    } else {
        std::cout << "Kelvane.ini could not be written: the plug-in runs on its defaults.\n";
    }
    std::cout << std::fixed << std::setprecision(2) << "Ran " << simulation.world().FrameNumber() << " frames, "
              << simulation.world().GameTimeMilliseconds() / 1000.0 << " s of game time; the plug-in made "
              << sim::hook::TotalNativeCalls() << " native calls.\n";
    const auto& unknown = sim::hook::UnknownNatives();
    if (!unknown.empty()) {
        std::cout << unknown.size() << " natives that the stand-in world does not answer yet were called:";
        for (std::uint64_t hash : unknown) std::cout << " 0x" << std::hex << std::uppercase << hash << std::dec;
        std::cout << '\n';
    }
    std::cout << "No train in this world yet: the ride itself comes with the simulated world.\n";
    return 0;
}

}  // namespace kelvane_sim
