#include "dynamics/wrecks.h"

namespace kelvane {

void AppendWreck(CabState& state, Vehicle vehicle, TrainType type) {
    WreckRecord record;
    record.vehicle = vehicle;
    record.trainType = type;
    state.wrecks.push_back(record);
    state.wreckCount = static_cast<int>(state.wrecks.size());
}

void RunWreckUpkeep(CabState&) {}

}  // namespace kelvane
