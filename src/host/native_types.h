#pragma once
// Value types of the game's natives.

#include <cstdint>

namespace kelvane {

using Ped = std::int32_t;
using Vehicle = std::int32_t;
using Entity = std::int32_t;
using Player = std::int32_t;
using Hash = std::uint32_t;
// Passed as 1 or 0; callers hand in C++ bools. Results come back as bool: any
// non-zero value counts as true.
using BOOL = std::int32_t;

// The game hands a vector back as three 8-byte slots; this is the decoded value.
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// Model hashes of the two train types the plug-in drives.
inline constexpr Hash FreightLocomotiveModel = 0x3D6AAA9B;
inline constexpr Hash TramModel = 0x33C9E158;

// Every control the plug-in polls is in this input group.
inline constexpr int ControlGroup = 2;

}  // namespace kelvane
