#pragma once
// JSON for what a run shows of the world: numbers as the 32-bit floats the game works
// with (shorter text, nothing lost), fields in the order written.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "world/geometry.h"

namespace sim {

using FloatJson = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                       std::uint64_t, float>;

inline FloatJson JsonPoint(const Vec3& v) {
    return FloatJson::array({static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)});
}

// A number, or null when there is none.
inline FloatJson JsonOptional(const std::optional<double>& value) {
    return value ? FloatJson(static_cast<float>(*value)) : FloatJson(nullptr);
}

}  // namespace sim
