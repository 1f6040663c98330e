#pragma once
// Single frames of the plug-in's frame update in each of its phases, run on the
// stand-in's script context as the game runs them, over the minimal world.

#include <set>
#include <string>
#include <vector>

#include "cab/cab_state.h"

namespace kelvane_sim {

struct PhaseFrame {
    std::string name;
    kelvane::CabState state;  // as the frame begins: every frame starts from it
    std::set<int> heldControls;
};

// On foot, boarding, in the cab, derailed, the autopilot's evaluation and plain frames,
// and the wreck upkeep with 20 wrecks, plain and with a sampling pass.
std::vector<PhaseFrame> PhaseFrames();

struct FrameCost {
    double seconds = 0.0;  // of the frame updates alone, timed on the script's side
    int nativeCalls = 0;   // in one frame
};

class FramePlayer {
public:
    // Makes the stand-in hook hold the minimal world and one timed script, unless it
    // already does since the last Forget.
    void Install();
    // The hook has been reset by someone else.
    void Forget() { installed_ = false; }

    // Frames of the phase, each from the phase's state, in one slice of the script: the
    // hook's switch into the script, far dearer than most frames, is left out.
    FrameCost Play(const PhaseFrame& phase, int frames);
    // Times as many empty frames in one slice: what the timing itself costs.
    double TimeNothing(int frames);
    // A slice in which the script does nothing but yield: the hook's own switch.
    void PlayEmpty();

private:
    bool installed_ = false;
    const PhaseFrame* lastPhase_ = nullptr;
    char module_ = 0;
};

}  // namespace kelvane_sim
