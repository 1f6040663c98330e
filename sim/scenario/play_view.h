#pragma once
// What a page that plays the world by hand shows of it, as JSON: the still scene once
// (tracks sampled along the curve the world lays, walls) and then each frame (entities,
// the draw list, recent explosions).

#include <cstdint>
#include <deque>
#include <string>

#include "world/world.h"

namespace sim {

// Tracks as points every sampleSpacing metres along their smooth curve, and walls.
std::string DescribeScene(const World& world, double sampleSpacing);

class PlayView {
public:
    // After every frame: keeps the frame's explosions for a while, so that a page which
    // misses frames still sees each of them.
    void Observe(const World& world);

    // The frame that has just been played.
    std::string DescribeFrame(const World& world) const;

private:
    struct Flash {
        Vec3 position;
        double time = 0.0;  // game time it went off
    };
    std::deque<Flash> flashes_;
};

}  // namespace sim
