#pragma once

#include <cstdint>

namespace kelvane_sim {

// Bytes of this process resident in memory now (Linux: /proc/self/statm); 0 if unknown.
std::uint64_t ResidentBytes();

}  // namespace kelvane_sim
