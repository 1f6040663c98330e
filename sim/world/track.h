#pragma once
// A railway line: a polyline with heights, measured by distance along it.

#include <string>
#include <vector>

#include "world/geometry.h"

namespace sim {

struct TrackPoint {
    Vec3 position;
    Vec3 direction;  // unit tangent along the track's own direction
};

class Track {
public:
    Track(std::string name, std::vector<Vec3> points, bool loop);

    const std::string& Name() const { return name_; }
    double Length() const { return cumulative_.back(); }
    bool Loop() const { return loop_; }

    // The point at a distance along the line; a loop wraps, an open line stops at its ends.
    TrackPoint At(double distance) const;
    double Wrap(double distance) const;

private:
    std::string name_;
    std::vector<Vec3> points_;
    std::vector<double> cumulative_;  // distance of each point from the start
    bool loop_ = false;
};

}  // namespace sim
