// The stand-in hook's state and the six functions that plug-ins import from it.

#include "hook/hook.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <memory>
#include <unordered_map>

#include "hook/script_fiber.h"
#include "script_hook.h"

namespace sim::hook {

namespace {

// A frame that logs more calls than this is runaway; the rest are counted, not logged.
constexpr std::size_t MaxLoggedCallsPerFrame = 1 << 16;

struct Script {
    void* module = nullptr;
    std::unique_ptr<ScriptFiber> fiber;
    std::uint64_t wakeTime = 0;  // game time before which scriptWait keeps it asleep
    std::uint32_t pendingWait = 0;
    bool unregistered = false;  // its module is gone; never resumed again
};

struct HookState {
    std::unordered_map<std::uint64_t, NativeHandler> handlers;
    NativeCall pending;
    std::array<std::uint64_t, ResultSlots> resultSlots{};
    std::vector<LoggedCall> log;
    std::set<std::uint64_t> unknown;
    std::uint64_t totalCalls = 0;
    std::set<std::uint64_t> nonFiniteNatives;
    std::uint64_t nonFiniteArguments = 0;
    std::vector<std::unique_ptr<Script>> scripts;
    Script* running = nullptr;
};

HookState& State() {
    static HookState state;
    return state;
}

// A script's stack cannot be freed while that script runs on it.
void DropUnregisteredScripts() {
    HookState& state = State();
    std::erase_if(state.scripts, [&](const std::unique_ptr<Script>& script) {
        return script->unregistered && script.get() != state.running;
    });
}

}  // namespace

std::uint64_t NativeCall::Argument(int index) const {
    return index >= 0 && index < argumentCount ? arguments[index] : 0;
}
std::int32_t NativeCall::IntArgument(int index) const {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(Argument(index)));
}
std::uint32_t NativeCall::UintArgument(int index) const {
    return static_cast<std::uint32_t>(Argument(index));
}
float NativeCall::FloatArgument(int index) const {
    const float value = std::bit_cast<float>(static_cast<std::uint32_t>(Argument(index)));
    if (!std::isfinite(value)) {
        State().nonFiniteNatives.insert(hash);
        ++State().nonFiniteArguments;
    }
    return value;
}
bool NativeCall::BoolArgument(int index) const { return UintArgument(index) != 0; }
const char* NativeCall::TextArgument(int index) const { return PointerArgument<const char>(index); }

void NativeCall::ReturnInt(std::int32_t value) { result[0] = static_cast<std::uint32_t>(value); }
void NativeCall::ReturnBool(bool value) { result[0] = value ? 1 : 0; }
void NativeCall::ReturnFloat(float value) { result[0] = std::bit_cast<std::uint32_t>(value); }
void NativeCall::ReturnVector(float x, float y, float z) {
    result[0] = std::bit_cast<std::uint32_t>(x);
    result[1] = std::bit_cast<std::uint32_t>(y);
    result[2] = std::bit_cast<std::uint32_t>(z);
}

void RegisterNative(std::uint64_t hash, NativeHandler handler) {
    State().handlers[hash] = std::move(handler);
}

void ClearNatives() { State().handlers.clear(); }

const std::vector<LoggedCall>& CallLog() { return State().log; }
void ClearCallLog() { State().log.clear(); }
void ReserveCallLog(std::size_t calls) {
    std::vector<LoggedCall>& log = State().log;
    const std::size_t logged = log.size();
    if (calls > MaxLoggedCallsPerFrame) calls = MaxLoggedCallsPerFrame;
    if (calls > log.capacity()) {
        log.resize(calls);
        log.resize(logged);
    }
}
const std::set<std::uint64_t>& UnknownNatives() { return State().unknown; }
std::uint64_t TotalNativeCalls() { return State().totalCalls; }
const std::set<std::uint64_t>& NativesGivenNonFiniteFloats() { return State().nonFiniteNatives; }
std::uint64_t NonFiniteFloatArguments() { return State().nonFiniteArguments; }

void RunScripts(std::uint64_t gameTimeMilliseconds) {
    HookState& state = State();
    DropUnregisteredScripts();
    // Index loop: a script may register another one while it runs.
    for (std::size_t i = 0; i < state.scripts.size(); ++i) {
        Script& script = *state.scripts[i];
        if (script.unregistered || script.fiber->Finished()) continue;
        if (gameTimeMilliseconds < script.wakeTime) continue;
        state.running = &script;
        script.fiber->Resume();
        state.running = nullptr;
        script.wakeTime = gameTimeMilliseconds + script.pendingWait;
    }
}

int RegisteredScriptCount() {
    const auto& scripts = State().scripts;
    return static_cast<int>(std::count_if(scripts.begin(), scripts.end(),
                                          [](const auto& script) { return !script->unregistered; }));
}

void Reset() {
    HookState& state = State();
    state.scripts.clear();
    state.handlers.clear();
    state.log.clear();
    state.unknown.clear();
    state.totalCalls = 0;
    state.nonFiniteNatives.clear();
    state.nonFiniteArguments = 0;
    state.pending = NativeCall{};
    state.resultSlots = {};
}

}  // namespace sim::hook

using sim::hook::State;

extern "C" {

void scriptRegister(void* module, ScriptMainFunction scriptMain) {
    auto script = std::make_unique<sim::hook::Script>();
    script->module = module;
    script->fiber = std::make_unique<sim::hook::ScriptFiber>(scriptMain);
    State().scripts.push_back(std::move(script));
}

void scriptUnregister(void* module) {
    for (auto& script : State().scripts) {
        if (script->module == module) script->unregistered = true;
    }
    sim::hook::DropUnregisteredScripts();
}

void scriptWait(std::uint32_t milliseconds) {
    sim::hook::HookState& state = State();
    if (state.running != nullptr) state.running->pendingWait = milliseconds;
    sim::hook::ScriptFiber::YieldToHost();
}

void nativeInit(std::uint64_t hash) {
    sim::hook::NativeCall& call = State().pending;
    call.hash = hash;
    call.argumentCount = 0;
}

void nativePush64(std::uint64_t value) {
    sim::hook::NativeCall& call = State().pending;
    if (call.argumentCount < sim::hook::MaxArguments) call.arguments[call.argumentCount] = value;
    ++call.argumentCount;
}

std::uint64_t* nativeCall() {
    sim::hook::HookState& state = State();
    sim::hook::NativeCall& call = state.pending;
    if (call.argumentCount > sim::hook::MaxArguments) call.argumentCount = sim::hook::MaxArguments;
    for (int i = call.argumentCount; i < sim::hook::MaxArguments; ++i) call.arguments[i] = 0;
    call.result = {};

    const auto handler = state.handlers.find(call.hash);
    const bool known = handler != state.handlers.end();
    if (known) {
        handler->second(call);
    } else {
        state.unknown.insert(call.hash);
    }
    ++state.totalCalls;
    if (state.log.size() < sim::hook::MaxLoggedCallsPerFrame) {
        state.log.push_back({call.hash, call.arguments, call.argumentCount, call.result, known});
    }
    // One buffer for every call, as in the game: callers copy the result out at once.
    state.resultSlots = call.result;
    return state.resultSlots.data();
}

}  // extern "C"
