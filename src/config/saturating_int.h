#pragma once
// Float to 32-bit integer without undefined behaviour: settings, shown speeds and alphas
// can hold any float, and a plain cast of one beyond the integer range is undefined.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvane {

// Truncated toward zero and saturated at the 32-bit range; NaN gives 0.
inline std::int32_t TruncateToInt32(float value) {
    constexpr float limit = 2147483648.0f;  // 2^31, exact in a float
    if (std::isnan(value)) return 0;
    if (value >= limit) return std::numeric_limits<std::int32_t>::max();
    if (value < -limit) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace kelvane
