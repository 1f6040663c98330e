#pragma once
// The stand-in script hook as its host sees it: the world registers a handler per native
// hash, the host runs the registered scripts one slice per frame, and tests read the
// call log of the current frame.

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <vector>

namespace sim::hook {

inline constexpr int MaxArguments = 16;
inline constexpr int ResultSlots = 3;

// One native call as a handler sees it: the raw 64-bit argument slots and the result
// slots to fill. Slots start zeroed, so a handler that writes nothing answers zeros.
struct NativeCall {
    std::uint64_t hash = 0;
    std::array<std::uint64_t, MaxArguments> arguments{};
    int argumentCount = 0;
    std::array<std::uint64_t, ResultSlots> result{};

    std::int32_t IntArgument(int index) const;
    std::uint32_t UintArgument(int index) const;
    float FloatArgument(int index) const;
    bool BoolArgument(int index) const;
    const char* TextArgument(int index) const;  // null when the slot holds no address
    template <typename T>
    T* PointerArgument(int index) const {
        return reinterpret_cast<T*>(static_cast<std::uintptr_t>(Argument(index)));
    }
    std::uint64_t Argument(int index) const;  // 0 for a slot that was not pushed

    void ReturnInt(std::int32_t value);
    void ReturnBool(bool value);
    void ReturnFloat(float value);
    void ReturnVector(float x, float y, float z);
};

struct LoggedCall {
    std::uint64_t hash = 0;
    std::array<std::uint64_t, MaxArguments> arguments{};
    int argumentCount = 0;
    std::array<std::uint64_t, ResultSlots> result{};
    bool known = false;  // a handler answered it
};

using NativeHandler = std::function<void(NativeCall&)>;

// Natives.
void RegisterNative(std::uint64_t hash, NativeHandler handler);
void ClearNatives();

// Call log of the current frame (and of calls made between frames).
const std::vector<LoggedCall>& CallLog();
void ClearCallLog();
// Makes room in the log for this many calls of one frame, in memory already touched, so
// that a long run does not see the log grow when its busiest frame comes.
void ReserveCallLog(std::size_t calls);
// Every hash that no handler answered since the last reset, and how many calls the
// whole run made.
const std::set<std::uint64_t>& UnknownNatives();
std::uint64_t TotalNativeCalls();
// Natives that were handed an infinite or NaN float argument (read as a float by their
// handler), and how often: the game would take such a value without complaint.
const std::set<std::uint64_t>& NativesGivenNonFiniteFloats();
std::uint64_t NonFiniteFloatArguments();

// Scripts.
// Gives every registered script one slice: it runs until its next scriptWait.
void RunScripts(std::uint64_t gameTimeMilliseconds);
int RegisteredScriptCount();

// Forgets scripts, handlers, logs and counters.
void Reset();

}  // namespace sim::hook
