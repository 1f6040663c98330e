#pragma once
// Float to 32-bit integer the way every setting, shown number and alpha is converted:
// truncated toward zero, saturated at the 32-bit range instead of overflowing.

#include <limits>

namespace kelvane {

inline int TruncateToInt(float value) {
    constexpr float limit = 2147483648.0f;  // 2^31
    if (value >= limit) return std::numeric_limits<int>::max();
    if (value < -limit) return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

}  // namespace kelvane
