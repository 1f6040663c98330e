#include "world/world.h"

#include <cmath>

#include "hook/hook.h"
#include "world/native_hashes.h"

namespace sim {

World::World() { playerPed_ = nextHandle_++; }

void World::RegisterNatives() {
    hook::RegisterNative(native::GET_FRAME_TIME, [this](hook::NativeCall& call) { call.ReturnFloat(frameTime_); });
    hook::RegisterNative(native::PLAYER_PED_ID, [this](hook::NativeCall& call) { call.ReturnInt(playerPed_); });
}

void World::BeginFrame(float frameTime) {
    frameTime_ = frameTime;
    hook::ClearCallLog();
}

void World::EndFrame() {
    // A negative or non-finite frame time is the scenario's to test, not time running back.
    if (std::isfinite(frameTime_) && frameTime_ > 0.0f) gameTime_ += frameTime_;
    gameTimeMilliseconds_ = static_cast<std::uint64_t>(gameTime_ * 1000.0);
    ++frameNumber_;
}

}  // namespace sim
