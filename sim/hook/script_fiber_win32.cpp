// Windows contexts: Win32 fibers, as the real hook runs its scripts. The host thread
// becomes a fiber once, the first time it resumes a script, and stays one.

#include <windows.h>

#include "hook/script_fiber.h"

namespace sim::hook {

namespace {

constexpr SIZE_T StackSize = 1024 * 1024;

thread_local ScriptFiber* currentFiber = nullptr;

// GetCurrentFiber reads the thread block at gs:0x20; GCC 12 takes that read for an
// out-of-bounds access (-Warray-bounds), so the warning is silenced for this read only.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
[[gnu::noinline]] void* FiberOfThisThread() { return GetCurrentFiber(); }
#pragma GCC diagnostic pop

// The fiber of the thread that resumes scripts. A thread that already is a fiber (its
// owner converted it) keeps that fiber; converting twice would fail.
void* HostFiber() {
    thread_local void* hostFiber = nullptr;
    if (hostFiber == nullptr) hostFiber = IsThreadAFiber() ? FiberOfThisThread() : ConvertThreadToFiber(nullptr);
    return hostFiber;
}

}  // namespace

struct ScriptFiber::Platform {
    Entry entry = nullptr;
    void* fiber = nullptr;
    void* host = nullptr;  // the fiber that resumed this script last
    bool finished = false;

    static void WINAPI Start(void* parameter) {
        Platform& self = *static_cast<Platform*>(parameter);
        self.entry();
        // A script main that returns is done. A fiber routine must never return (that
        // would end the thread), so it hands control back for good.
        self.finished = true;
        for (;;) SwitchToFiber(self.host);
    }
};

ScriptFiber::ScriptFiber(Entry entry) : platform_(std::make_unique<Platform>()) {
    platform_->entry = entry;
    platform_->fiber = CreateFiber(StackSize, &Platform::Start, platform_.get());
    // Without a fiber the script never runs, like one whose main returned at once.
    if (platform_->fiber == nullptr) platform_->finished = true;
}

ScriptFiber::~ScriptFiber() {
    // Deleting the running fiber would end the thread. The hook drops a script only
    // while it is not running; if that ever fails, leaking the stack is the lesser harm.
    if (platform_->fiber != nullptr && currentFiber != this) DeleteFiber(platform_->fiber);
}

void ScriptFiber::Resume() {
    Platform& self = *platform_;
    if (self.finished || currentFiber != nullptr) return;
    self.host = HostFiber();
    if (self.host == nullptr) return;
    currentFiber = this;
    SwitchToFiber(self.fiber);
    currentFiber = nullptr;
}

bool ScriptFiber::Finished() const { return platform_->finished; }

bool ScriptFiber::YieldToHost() {
    if (currentFiber == nullptr) return false;
    SwitchToFiber(currentFiber->platform_->host);
    return true;
}

ScriptFiber* ScriptFiber::Current() { return currentFiber; }

}  // namespace sim::hook
