#include "host/tick_count.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

namespace kelvane {

std::uint32_t TickCount() {
#ifdef _WIN32
    return GetTickCount();
#else
    const auto sinceBoot = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(sinceBoot).count());
#endif
}

}  // namespace kelvane
