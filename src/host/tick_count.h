#pragma once

#include <cstdint>

namespace kelvane {

// Milliseconds since the system started, as Windows' GetTickCount gives them.
std::uint32_t TickCount();

}  // namespace kelvane
