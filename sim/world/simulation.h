#pragma once
// The host side of a run: a world behind the stand-in hook, advanced frame by frame.
// Whoever owns the plug-in starts it (it registers its script with the hook) before
// the first frame.

#include <set>

#include "world/world.h"

namespace sim {

class Simulation {
public:
    // Resets the hook and makes it answer from this simulation's world.
    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // One frame: the world takes the frame time and the held controls, every registered
    // script gets one slice, then the world advances. The call log then holds this frame.
    void RunFrame(float frameTime, std::set<int> heldControls = {});
    void RunFrames(int count, float frameTime);

    World& world() { return world_; }

private:
    World world_;
};

}  // namespace sim
