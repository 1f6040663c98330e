#include "world/track.h"

#include <algorithm>
#include <stdexcept>

namespace sim {

Track::Track(std::string name, std::vector<Vec3> points, bool loop)
    : name_(std::move(name)), points_(std::move(points)), loop_(loop) {
    if (points_.size() < 2) throw std::invalid_argument("track '" + name_ + "' needs at least two points");
    if (loop_) points_.push_back(points_.front());
    cumulative_.push_back(0.0);
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const double segment = Distance(points_[i - 1], points_[i]);
        if (segment <= 0.0) throw std::invalid_argument("track '" + name_ + "' repeats a point");
        cumulative_.push_back(cumulative_.back() + segment);
    }
}

double Track::Wrap(double distance) const {
    if (!loop_) return std::clamp(distance, 0.0, Length());
    const double wrapped = std::fmod(distance, Length());
    return wrapped < 0.0 ? wrapped + Length() : wrapped;
}

TrackPoint Track::At(double distance) const {
    const double d = Wrap(distance);
    const auto after = std::upper_bound(cumulative_.begin(), cumulative_.end(), d);
    std::size_t segment = static_cast<std::size_t>(after - cumulative_.begin());
    segment = std::clamp<std::size_t>(segment, 1, points_.size() - 1);
    const Vec3& a = points_[segment - 1];
    const Vec3& b = points_[segment];
    const double span = cumulative_[segment] - cumulative_[segment - 1];
    const double t = (d - cumulative_[segment - 1]) / span;
    return {a + (b - a) * t, (b - a) * (1.0 / span)};
}

}  // namespace sim
