#include "host_api/kelvane_sim_host.h"

#include <memory>

#include "hook/hook.h"
#include "world/simulation.h"

namespace {

std::unique_ptr<sim::Simulation>& CurrentSimulation() {
    static std::unique_ptr<sim::Simulation> simulation;
    return simulation;
}

sim::Simulation& Simulation() {
    auto& simulation = CurrentSimulation();
    if (!simulation) simulation = std::make_unique<sim::Simulation>();
    return *simulation;
}

}  // namespace

extern "C" {

void KsimReset(void) {
    CurrentSimulation().reset();
    Simulation();
}

void KsimRunFrames(int count, float frameTime) { Simulation().RunFrames(count, frameTime); }

int KsimRegisteredScriptCount(void) { return sim::hook::RegisteredScriptCount(); }

unsigned long long KsimFrameNumber(void) { return Simulation().world().FrameNumber(); }

double KsimGameTimeSeconds(void) { return Simulation().world().GameTimeMilliseconds() / 1000.0; }

unsigned long long KsimTotalNativeCalls(void) { return sim::hook::TotalNativeCalls(); }

int KsimUnknownNatives(unsigned long long* hashes, int capacity) {
    int count = 0;
    for (std::uint64_t hash : sim::hook::UnknownNatives()) {
        if (hashes != nullptr && count < capacity) hashes[count] = hash;
        ++count;
    }
    return count;
}

}  // extern "C"
