#pragma once
// What must hold after every frame of a soak, observed as the game would: no native got
// an infinite or NaN float or is unknown to the game, the plug-in's vehicles stay few
// (the wreck list is cut to 20 at every clean-up, plus the vehicle that replaced the
// player's lead car), and the INI is never written to once it exists.

#include <cstdint>
#include <optional>
#include <string>

#include "soak/ini_watch.h"
#include "world/world.h"

namespace kelvane_sim {

inline constexpr int MostVehiclesOfThePlugin = 21;

class SoakChecks {
public:
    SoakChecks(const sim::World& world, IniWatch& ini) : world_(world), ini_(ini) {}

    // What broke in the frame just played, if anything.
    std::optional<std::string> AfterFrame();

    int MostVehiclesSeen() const { return mostVehicles_; }

private:
    const sim::World& world_;
    IniWatch& ini_;
    int mostVehicles_ = 0;
};

}  // namespace kelvane_sim
