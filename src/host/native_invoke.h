#pragma once
// The hook's calling protocol: begin with the hash, push each argument in its own
// 64-bit slot, invoke, copy the result out before anything else touches the hook.

#include <bit>
#include <cstdint>
#include <type_traits>

#include "host/native_types.h"
#include "host/script_hook.h"

namespace kelvane::native_protocol {

// 32-bit values fill the low half and leave the high half zero: -1 travels as
// 0x00000000FFFFFFFF, not sign-extended.
inline std::uint64_t EncodeArgument(std::int32_t value) {
    return static_cast<std::uint32_t>(value);
}
inline std::uint64_t EncodeArgument(std::uint32_t value) { return value; }
inline std::uint64_t EncodeArgument(float value) {
    return std::bit_cast<std::uint32_t>(value);
}
// Texts, arrays and handle variables travel as their whole address.
template <typename T>
std::uint64_t EncodeArgument(T* pointer) {
    return reinterpret_cast<std::uintptr_t>(pointer);
}

inline float DecodeFloat(std::uint64_t slot) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(slot));
}

template <typename Result>
Result DecodeResult(const std::uint64_t* slots) {
    if constexpr (std::is_same_v<Result, float>) {
        return DecodeFloat(slots[0]);
    } else if constexpr (std::is_same_v<Result, bool>) {
        return static_cast<std::uint32_t>(slots[0]) != 0;
    } else if constexpr (std::is_same_v<Result, Vector3>) {
        return Vector3{DecodeFloat(slots[0]), DecodeFloat(slots[1]), DecodeFloat(slots[2])};
    } else {
        static_assert(std::is_integral_v<Result> && sizeof(Result) == 4);
        return static_cast<Result>(static_cast<std::uint32_t>(slots[0]));
    }
}

template <typename Result = void, typename... Arguments>
Result Invoke(std::uint64_t hash, Arguments... arguments) {
    nativeInit(hash);
    (nativePush64(EncodeArgument(arguments)), ...);
    const std::uint64_t* slots = nativeCall();
    if constexpr (!std::is_void_v<Result>) {
        return DecodeResult<Result>(slots);
    }
}

}  // namespace kelvane::native_protocol
