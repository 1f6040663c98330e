#pragma once
// The host side of a run: a world behind the stand-in hook, advanced frame by frame.
// Whoever owns the plug-in starts it (it registers its script with the hook) before
// the first frame.

#include "world/world.h"

namespace sim {

class Simulation {
public:
    // Resets the hook and makes it answer from this simulation's world.
    Simulation();
    ~Simulation();
    Simulation(const Simulation&) = delete;
    Simulation& operator=(const Simulation&) = delete;

    // Runs count frames of the given frame time: each frame gives every registered
    // script one slice, then the world advances.
    void RunFrames(int count, float frameTime);

    World& world() { return world_; }

private:
    World world_;
};

}  // namespace sim
