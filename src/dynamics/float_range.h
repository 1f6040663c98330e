#pragma once
// Keeping computed values numbers: whatever the settings, a value handed to the game or
// carried to the next frame is finite.

#include <algorithm>
#include <cmath>
#include <limits>

namespace kelvane {

// The value held to the float range, NaN counting as 0.
inline float FiniteOrZero(float value) {
    constexpr float largest = std::numeric_limits<float>::max();
    if (std::isnan(value)) return 0.0f;
    return std::clamp(value, -largest, largest);
}

// The value held to the float range; NaN stays NaN. Extreme settings can overflow a
// product, and the train's speed must stay a number.
inline float SaturateToFloatRange(float value) {
    constexpr float largest = std::numeric_limits<float>::max();
    return std::clamp(value, -largest, largest);
}

// A frame time that can be added up or divided by: one that is not positive and finite
// counts as no time passing.
inline bool IsUsableFrameTime(float frameTime) { return frameTime > 0.0f && std::isfinite(frameTime); }

}  // namespace kelvane
