#include "world/track.h"

#include <algorithm>
#include <stdexcept>

namespace sim {

namespace {

std::vector<Vec3> CheckedPoints(const std::string& name, std::vector<Vec3> points, bool loop) {
    if (points.size() < 2) throw std::invalid_argument("track '" + name + "' needs at least two points");
    for (std::size_t i = 1; i <= points.size(); ++i) {
        if (i == points.size() && !loop) break;
        if (Distance(points[i - 1], points[i % points.size()]) <= 0.0) {
            throw std::invalid_argument("track '" + name + "' repeats a point");
        }
    }
    return points;
}

}  // namespace

Track::Track(std::string name, std::vector<Vec3> points, bool loop)
    : name_(std::move(name)), loop_(loop), rails_(CheckedPoints(name_, std::move(points), loop), loop) {}

double Track::Wrap(double distance) const {
    if (!loop_) return std::clamp(distance, 0.0, Length());
    const double wrapped = std::fmod(distance, Length());
    return wrapped < 0.0 ? wrapped + Length() : wrapped;
}

TrackPoint Track::At(double distance) const { return rails_.At(Wrap(distance)); }

TrackPoint Track::AtOrPastEnds(double distance) const {
    if (loop_ || (distance >= 0.0 && distance <= Length())) return At(distance);
    const double end = distance < 0.0 ? 0.0 : Length();
    const TrackPoint atEnd = rails_.At(end);
    return {atEnd.position + atEnd.direction * (distance - end), atEnd.direction};
}

}  // namespace sim
