#pragma once
// The simulated game: what the natives read and change. Knows natives only by hash.

#include <cstdint>

namespace sim {

using Handle = std::int32_t;

class World {
public:
    World();

    // Makes the hook answer the natives this world knows.
    void RegisterNatives();

    // Frame bracketing: the script slice runs between the two.
    void BeginFrame(float frameTime);
    void EndFrame();

    float FrameTime() const { return frameTime_; }
    std::uint64_t GameTimeMilliseconds() const { return gameTimeMilliseconds_; }
    std::uint64_t FrameNumber() const { return frameNumber_; }
    Handle PlayerPed() const { return playerPed_; }

private:
    float frameTime_ = 0.0f;
    double gameTime_ = 0.0;  // seconds
    std::uint64_t gameTimeMilliseconds_ = 0;
    std::uint64_t frameNumber_ = 0;
    Handle nextHandle_ = 1;
    Handle playerPed_ = 0;
};

}  // namespace sim
