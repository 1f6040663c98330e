#include "soak/resident_memory.h"

#include <unistd.h>

#include <fstream>

namespace kelvane_sim {

std::uint64_t ResidentBytes() {
    std::ifstream statm("/proc/self/statm");
    std::uint64_t totalPages = 0;
    std::uint64_t residentPages = 0;
    if (!(statm >> totalPages >> residentPages)) return 0;
    return residentPages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

}  // namespace kelvane_sim
