// Linux contexts: makecontext/swapcontext on a heap stack, annotated for
// AddressSanitizer, which otherwise mistakes the stack switches for overflows.

#include <ucontext.h>

#include <vector>

#include "hook/script_fiber.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KELVANE_ASAN 1
#endif

#ifdef KELVANE_ASAN
#include <sanitizer/common_interface_defs.h>
#endif

namespace sim::hook {

namespace {

constexpr std::size_t StackSize = 1024 * 1024;

thread_local ScriptFiber* currentFiber = nullptr;

void StartSwitch([[maybe_unused]] void** fakeStack, [[maybe_unused]] const void* bottom,
                 [[maybe_unused]] std::size_t size) {
#ifdef KELVANE_ASAN
    __sanitizer_start_switch_fiber(fakeStack, bottom, size);
#endif
}

void FinishSwitch([[maybe_unused]] void* fakeStack, [[maybe_unused]] const void** oldBottom,
                  [[maybe_unused]] std::size_t* oldSize) {
#ifdef KELVANE_ASAN
    __sanitizer_finish_switch_fiber(fakeStack, oldBottom, oldSize);
#endif
}

}  // namespace

struct ScriptFiber::Platform {
    Entry entry = nullptr;
    std::vector<char> stack;
    ucontext_t scriptContext{};
    ucontext_t hostContext{};
    const void* hostStackBottom = nullptr;
    std::size_t hostStackSize = 0;
    void* hostFakeStack = nullptr;
    void* scriptFakeStack = nullptr;
    bool finished = false;

    static void Trampoline() {
        Platform& self = *currentFiber->platform_;
        FinishSwitch(nullptr, &self.hostStackBottom, &self.hostStackSize);
        self.entry();
        // A script main that returns is done; it is never resumed again.
        self.finished = true;
        StartSwitch(nullptr, self.hostStackBottom, self.hostStackSize);
        setcontext(&self.hostContext);
    }
};

ScriptFiber::ScriptFiber(Entry entry) : platform_(std::make_unique<Platform>()) {
    platform_->entry = entry;
    platform_->stack.resize(StackSize);
    getcontext(&platform_->scriptContext);
    platform_->scriptContext.uc_stack.ss_sp = platform_->stack.data();
    platform_->scriptContext.uc_stack.ss_size = platform_->stack.size();
    platform_->scriptContext.uc_link = nullptr;
    makecontext(&platform_->scriptContext, &Platform::Trampoline, 0);
}

#ifdef KELVANE_ASAN
namespace {
// Never freed, so that LeakSanitizer, which looks at exit, still sees what they point to.
std::vector<std::vector<char>>& AbandonedStacks() {
    static auto* stacks = new std::vector<std::vector<char>>();
    return *stacks;
}
}  // namespace
#endif

ScriptFiber::~ScriptFiber() {
#ifdef KELVANE_ASAN
    // A script unloaded between two slices loses its stack without unwinding, as a fiber
    // does under the real hook: what its frames own is given up by design. Keeping the
    // stack lets LeakSanitizer report only memory that a script lost while it ran.
    if (!platform_->finished) AbandonedStacks().push_back(std::move(platform_->stack));
#endif
}

void ScriptFiber::Resume() {
    Platform& self = *platform_;
    if (self.finished || currentFiber != nullptr) return;
    currentFiber = this;
    StartSwitch(&self.hostFakeStack, self.stack.data(), self.stack.size());
    swapcontext(&self.hostContext, &self.scriptContext);
    FinishSwitch(self.hostFakeStack, nullptr, nullptr);
    currentFiber = nullptr;
}

bool ScriptFiber::Finished() const { return platform_->finished; }

bool ScriptFiber::YieldToHost() {
    if (currentFiber == nullptr) return false;
    Platform& self = *currentFiber->platform_;
    StartSwitch(&self.scriptFakeStack, self.hostStackBottom, self.hostStackSize);
    swapcontext(&self.scriptContext, &self.hostContext);
    FinishSwitch(self.scriptFakeStack, &self.hostStackBottom, &self.hostStackSize);
    return true;
}

ScriptFiber* ScriptFiber::Current() { return currentFiber; }

}  // namespace sim::hook
