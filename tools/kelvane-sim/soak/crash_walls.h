#pragma once

#include "world/world.h"

namespace kelvane_sim {

// Walls across every track every 15 m. Trains on the rails pass them; the free vehicles
// of a derailment slide into them and stop dead, so that wrecks explode in a soak.
void AddCrashWalls(sim::World& world);

}  // namespace kelvane_sim
