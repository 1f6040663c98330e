// kelvane-sim: plays the plug-in against the stand-in hook and world, headless.

#include <CLI/CLI.hpp>

#include <exception>
#include <iostream>

#include "commands.h"

int main(int argc, char** argv) {
    CLI::App app{"kelvane-sim: runs the Kelvane plug-in on a stand-in script hook and game world"};
    app.require_subcommand(0, 1);

    kelvane_sim::RideOptions ride;
    CLI::App* rideCommand = app.add_subcommand("ride", "Run the plug-in for a while and tell what happened (the default)");
    rideCommand->add_option("--game-dir", ride.gameDir, "Game folder to run in (default: a fresh temporary folder)");
    rideCommand->add_option("--seconds", ride.seconds, "Game time to run, in seconds")->check(CLI::Range(0.0, 86400.0));
    rideCommand->add_option("--fps", ride.framesPerSecond, "Frames per second")->check(CLI::Range(1.0, 1000.0));

    app.add_subcommand("config",
                       "Start the plug-in in the current folder and print its 25 effective settings");

    CLI11_PARSE(app, argc, argv);
    try {
        if (app.got_subcommand("config")) return kelvane_sim::RunConfigCommand();
        return kelvane_sim::RunRideCommand(ride);
    } catch (const std::exception& error) {
        std::cerr << "kelvane-sim: " << error.what() << '\n';
        return 1;
    }
}
