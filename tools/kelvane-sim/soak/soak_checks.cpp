#include "soak/soak_checks.h"

#include <cstdio>
#include <set>

#include "hook/hook.h"

namespace kelvane_sim {

namespace {

std::string Hashes(const std::set<std::uint64_t>& hashes) {
    std::string text;
    for (std::uint64_t hash : hashes) {
        char hex[24];
        std::snprintf(hex, sizeof hex, "0x%016llX", static_cast<unsigned long long>(hash));
        text += (text.empty() ? "" : ", ") + std::string(hex);
    }
    return text;
}

}  // namespace

std::optional<std::string> SoakChecks::AfterFrame() {
    if (sim::hook::NonFiniteFloatArguments() != 0) {
        return "the plug-in handed an infinite or NaN float to " + Hashes(sim::hook::NativesGivenNonFiniteFloats());
    }
    if (!sim::hook::UnknownNatives().empty()) {
        return "the plug-in called natives that the game does not know: " + Hashes(sim::hook::UnknownNatives());
    }
    int vehicles = 0;
    for (const auto& [handle, vehicle] : world_.Vehicles()) vehicles += vehicle.createdByScript ? 1 : 0;
    if (vehicles > mostVehicles_) mostVehicles_ = vehicles;
    if (vehicles > MostVehiclesOfThePlugin) {
        return std::to_string(vehicles) + " vehicles that the plug-in created still exist, more than 20 wrecks and the cab's own";
    }
    return ini_.Check();
}

}  // namespace kelvane_sim
