#pragma once
// A railway line: drawn as a polyline with heights, laid as a smooth curve through its
// points, and measured by distance along it.

#include <string>
#include <vector>

#include "world/geometry.h"
#include "world/smooth_curve.h"

namespace sim {

using TrackPoint = CurvePoint;

class Track {
public:
    Track(std::string name, std::vector<Vec3> points, bool loop);

    const std::string& Name() const { return name_; }
    double Length() const { return rails_.Length(); }
    bool Loop() const { return loop_; }

    // The point at a distance along the line; a loop wraps, an open line stops at its ends.
    TrackPoint At(double distance) const;
    // As At, except that past an end of an open line the rails go on straight, so the
    // bogies of a car that overhangs the end still stand its length apart.
    TrackPoint AtOrPastEnds(double distance) const;
    double Wrap(double distance) const;

private:
    std::string name_;
    bool loop_ = false;
    SmoothCurve rails_;
};

}  // namespace sim
