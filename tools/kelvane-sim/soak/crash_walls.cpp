#include "soak/crash_walls.h"

namespace kelvane_sim {

namespace {
constexpr double Spacing = 15.0;
constexpr double HalfWidth = 6.0;
}  // namespace

void AddCrashWalls(sim::World& world) {
    for (const sim::Track& track : world.Tracks()) {
        for (double distance = Spacing / 2.0; distance < track.Length(); distance += Spacing) {
            const sim::TrackPoint point = track.At(distance);
            const sim::Vec3 across{point.direction.y * HalfWidth, -point.direction.x * HalfWidth, 0.0};
            world.AddWall(point.position - across, point.position + across);
        }
    }
}

}  // namespace kelvane_sim
