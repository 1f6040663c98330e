#pragma once
// A cooperative execution context for one script main, as the real hook gives each
// script: the host resumes it once per frame and it yields back from scriptWait.

#include <cstddef>
#include <memory>

namespace sim::hook {

class ScriptFiber {
public:
    using Entry = void (*)();

    explicit ScriptFiber(Entry entry);
    ~ScriptFiber();
    ScriptFiber(const ScriptFiber&) = delete;
    ScriptFiber& operator=(const ScriptFiber&) = delete;

    // Runs the script until it yields or its entry returns. Host side only.
    void Resume();
    bool Finished() const;

    // Switches from the running script back to the host; false outside any script.
    static bool YieldToHost();
    // The fiber whose script is running now, or null on the host side.
    static ScriptFiber* Current();

private:
    struct Platform;
    std::unique_ptr<Platform> platform_;
};

}  // namespace sim::hook
