#include "world/simulation.h"

#include "hook/hook.h"

namespace sim {

Simulation::Simulation() {
    hook::Reset();
    world_.RegisterNatives();
}

Simulation::~Simulation() { hook::ClearNatives(); }

void Simulation::RunFrame(float frameTime, std::set<int> heldControls) {
    hook::ClearCallLog();
    world_.BeginFrame(frameTime, std::move(heldControls));
    hook::RunScripts(world_.GameTimeMilliseconds());
    world_.EndFrame();
}

void Simulation::RunFrames(int count, float frameTime) {
    for (int i = 0; i < count; ++i) RunFrame(frameTime);
}

}  // namespace sim
