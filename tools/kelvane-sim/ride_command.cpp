#include <cmath>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <string>
#include <vector>

#include "commands.h"
#include "game_folder.h"
#include "host_api/kelvane_sim_host.h"
#include "plugin_module.h"

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

    KsimReset();
    LoadPlugin();
    const int scripts = KsimRegisteredScriptCount();
    const int frames = static_cast<int>(std::lround(options.seconds * options.framesPerSecond));
    KsimRunFrames(frames, static_cast<float>(1.0 / options.framesPerSecond));
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
    std::cout << std::fixed << std::setprecision(2) << "Ran " << KsimFrameNumber() << " frames, "
              << KsimGameTimeSeconds() << " s of game time; the plug-in made " << KsimTotalNativeCalls()
              << " native calls.\n";
    std::vector<unsigned long long> unknown(static_cast<std::size_t>(KsimUnknownNatives(nullptr, 0)));
    KsimUnknownNatives(unknown.data(), static_cast<int>(unknown.size()));
    if (!unknown.empty()) {
        std::cout << unknown.size() << " natives that the stand-in world does not answer yet were called:";
        for (unsigned long long hash : unknown) std::cout << " 0x" << std::hex << std::uppercase << hash << std::dec;
        std::cout << '\n';
    }
    std::cout << "No train in this world yet: the ride itself comes with the simulated world.\n";
    return 0;
}

}  // namespace kelvane_sim
