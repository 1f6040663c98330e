#pragma once
// Runs the plug-in's frame update over a CabState the test can read, as a script of the
// stand-in hook: each frame the world takes the held controls, the frame update runs on
// the script context, then the world advances, exactly as in the game.

#include <set>

#include "cab/cab_state.h"
#include "cab/frame_update.h"
#include "hook/hook.h"
#include "script_hook.h"
#include "support/temp_folder.h"
#include "world/simulation.h"

namespace kelvane_test {

inline kelvane::CabState* runningCabState = nullptr;

inline void CabScript() {
    for (;;) {
        kelvane::UpdateFrame(*runningCabState);
        scriptWait(0);
    }
}

class CabFrames {
public:
    static constexpr float DefaultFrameTime = 1.0f / 60.0f;

    CabFrames() {
        runningCabState = &state;
        scriptRegister(&moduleMarker_, CabScript);
    }
    ~CabFrames() {
        scriptUnregister(&moduleMarker_);
        sim::hook::Reset();
        runningCabState = nullptr;
    }
    CabFrames(const CabFrames&) = delete;
    CabFrames& operator=(const CabFrames&) = delete;

    void Frame(std::set<int> held = {}, float frameTime = DefaultFrameTime) {
        simulation.RunFrame(frameTime, std::move(held));
    }
    void Frames(int count, std::set<int> held = {}, float frameTime = DefaultFrameTime) {
        for (int i = 0; i < count; ++i) Frame(held, frameTime);
    }
    sim::World& world() { return simulation.world(); }

    TempFolder folder;  // the game folder, where boarding reads Kelvane.ini
    sim::Simulation simulation;
    kelvane::CabState state;

private:
    char moduleMarker_ = 0;
};

}  // namespace kelvane_test
