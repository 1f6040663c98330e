#pragma once

#include <filesystem>
#include <optional>

namespace kelvane_sim {

// Starts the plug-in in the current folder, as the game would, and prints the 25
// effective settings as "Key = value" in file order.
int RunConfigCommand();

struct RideOptions {
    std::optional<std::filesystem::path> gameDir;
    double seconds = 5.0;
    double framesPerSecond = 60.0;
};

// Runs the plug-in on the stand-in for a while and tells what happened.
int RunRideCommand(const RideOptions& options);

}  // namespace kelvane_sim
