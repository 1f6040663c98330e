#pragma once
// The per-frame trace: one JSON object per line with what the game observed in a frame.
// Black-box: it is built from the world and the hook, never from the plug-in.

#include <cstdint>
#include <ostream>

#include "world/world.h"

namespace sim {

void WriteTraceLine(std::ostream& out, const World& world, double frameStart, std::uint64_t nativeCalls);

}  // namespace sim
