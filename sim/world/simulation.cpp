#include "world/simulation.h"

#include "hook/hook.h"

namespace sim {

Simulation::Simulation() {
    hook::Reset();
    world_.RegisterNatives();
}

Simulation::~Simulation() { hook::ClearNatives(); }

void Simulation::RunFrames(int count, float frameTime) {
    for (int i = 0; i < count; ++i) {
        world_.BeginFrame(frameTime);
        hook::RunScripts(world_.GameTimeMilliseconds());
        world_.EndFrame();
    }
}

}  // namespace sim
