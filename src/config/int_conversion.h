#pragma once
// Float to 32-bit integer the way every setting, shown number and alpha is converted:
// truncated toward zero and saturated at the 32-bit range instead of overflowing, which a
// plain cast of such a float would do with undefined results; NaN gives 0.

#include <cmath>
#include <cstdint>
#include <limits>

namespace kelvane {

inline std::int32_t TruncateToInt(float value) {
    constexpr float limit = 2147483648.0f;  // 2^31, exact in a float
    if (std::isnan(value)) return 0;
    if (value >= limit) return std::numeric_limits<std::int32_t>::max();
    if (value < -limit) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace kelvane
