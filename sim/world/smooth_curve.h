#pragma once
// A smooth curve through the points of a polyline, measured by arc length.
//
// Each stretch between two points is a cubic that leaves and meets its points along
// tangents taken from circles through neighbouring points, so points drawn on an arc are
// followed as that arc, points drawn in line as a straight, and a straight that meets an
// arc along its tangent keeps straight up to it. The curve is sampled by arc length once,
// at construction; a lookup is a binary search and one evaluation of a cubic.

#include <vector>

#include "world/geometry.h"

namespace sim {

struct CurvePoint {
    Vec3 position;
    Vec3 direction;  // unit tangent along the curve's own direction
};

class SmoothCurve {
public:
    // At least two points, none equal to the one before it; a closed curve runs on from the
    // last point back to the first. An open curve's ends are treated as going on straight.
    SmoothCurve(const std::vector<Vec3>& points, bool closed);

    double Length() const { return samples_.back().arcLength; }

    // The point at an arc length from the start, clamped to [0, Length()].
    CurvePoint At(double arcLength) const;

private:
    struct Piece {  // a cubic Bezier stretch between two neighbouring points
        Vec3 start, startHandle, endHandle, end;
    };
    struct Sample {
        double arcLength;
        double parameter;  // index of the piece plus the fraction along it
    };

    std::vector<Piece> pieces_;
    std::vector<Sample> samples_;
};

}  // namespace sim
