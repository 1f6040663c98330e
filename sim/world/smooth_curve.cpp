#include "world/smooth_curve.h"

#include <algorithm>
#include <array>

namespace sim {

namespace {

constexpr double SampleSpacing = 0.5;  // m of arc between samples on a curved piece
constexpr int MinimumSamplesPerCurvedPiece = 8;
constexpr double InLineTolerance = 1e-9;  // between unit directions that count as one
// Neighbouring stretches up to this ratio of lengths are chords of one arc, from the next
// one on a straight meets a corner; in between the two readings blend.
constexpr double ArcLengthRatio = 2.0;
constexpr double StraightLengthRatio = 3.0;

Vec3 Reflected(const Vec3& v, const Vec3& unitAxis) { return unitAxis * (2.0 * Dot(v, unitAxis)) - v; }

// The tangent at b of the circle through a, b and c: the line's direction if they are in line.
Vec3 MiddleTangent(const Vec3& a, const Vec3& b, const Vec3& c) {
    const double in = Distance(a, b);
    const double out = Distance(b, c);
    const Vec3 inDirection = (b - a) * (1.0 / in);
    const Vec3 outDirection = (c - b) * (1.0 / out);
    // By the tangent-chord angle, the tangent splits the turn at b in the ratio of the chords.
    return Normalized(inDirection * out + outDirection * in, inDirection);
}

// The same circle's tangent at a and at c: the tangent at b mirrored in the chord.
Vec3 StartTangent(const Vec3& a, const Vec3& b, const Vec3& c) {
    return Reflected(MiddleTangent(a, b, c), Normalized(b - a));
}
Vec3 EndTangent(const Vec3& a, const Vec3& b, const Vec3& c) {
    return Reflected(MiddleTangent(a, b, c), Normalized(c - b));
}

// Three circles pass through a point and two neighbours: behind it, around it and ahead of
// it. Each estimate weighs as much as the other two disagree, so where the circles behind
// and ahead agree (a straight running into an arc, along its tangent) the circle that
// straddles the join has no say. Where all three agree, any of them will do.
Vec3 CircleTangentAt(const Vec3& backBack, const Vec3& back, const Vec3& point, const Vec3& ahead,
                     const Vec3& aheadAhead) {
    const Vec3 behindEstimate = EndTangent(backBack, back, point);
    const Vec3 aroundEstimate = MiddleTangent(back, point, ahead);
    const Vec3 aheadEstimate = StartTangent(point, ahead, aheadAhead);
    const double behindWeight = Distance(aroundEstimate, aheadEstimate);
    const double aroundWeight = Distance(behindEstimate, aheadEstimate);
    const double aheadWeight = Distance(behindEstimate, aroundEstimate);
    return Normalized(behindEstimate * behindWeight + aroundEstimate * aroundWeight + aheadEstimate * aheadWeight,
                      aroundEstimate);
}

bool InLine(const Vec3& a, const Vec3& b, const Vec3& c) {
    return Distance(Normalized(b - a), Normalized(c - b)) < InLineTolerance;
}

// How surely the stretch from `from` to `to` is a straight that ends at `to`: points in
// line before it say so, and so does a stretch several times longer than the next one,
// drawn from corner to corner. Stretches of similar length are chords of an arc.
double Straightness(const Vec3& before, const Vec3& from, const Vec3& to, double nextLength) {
    if (InLine(before, from, to)) return 1.0;
    const double ratio = Distance(from, to) / nextLength;
    return std::clamp((ratio - ArcLengthRatio) / (StraightLengthRatio - ArcLengthRatio), 0.0, 1.0);
}

// A point inside a straight keeps to it; a straight ending at a point gives it its
// direction, so the turn there goes into the stretch on the other side; elsewhere the
// circles through neighbouring points decide.
Vec3 TangentAt(const Vec3& backBack, const Vec3& back, const Vec3& point, const Vec3& ahead, const Vec3& aheadAhead) {
    const Vec3 in = Normalized(point - back);
    if (InLine(back, point, ahead)) return in;
    const double straightBehind = Straightness(backBack, back, point, Distance(point, ahead));
    const double straightAhead = Straightness(aheadAhead, ahead, point, Distance(point, back));
    const double lean = std::fabs(straightBehind - straightAhead);
    const Vec3 straight = straightBehind > straightAhead ? in : Normalized(ahead - point);
    if (lean >= 1.0) return straight;
    const Vec3 circle = CircleTangentAt(backBack, back, point, ahead, aheadAhead);
    if (lean <= 0.0) return circle;
    return Normalized(circle * (1.0 - lean) + straight * lean, straight);
}

Vec3 BezierPoint(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, double u) {
    const double v = 1.0 - u;
    return p0 * (v * v * v) + p1 * (3.0 * v * v * u) + p2 * (3.0 * v * u * u) + p3 * (u * u * u);
}

Vec3 BezierDerivative(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, double u) {
    const double v = 1.0 - u;
    return (p1 - p0) * (3.0 * v * v) + (p2 - p1) * (6.0 * v * u) + (p3 - p2) * (3.0 * u * u);
}

// Arc length of a cubic between two parameters: five-point Gauss-Legendre.
double ArcLength(const Vec3& p0, const Vec3& p1, const Vec3& p2, const Vec3& p3, double from, double to) {
    constexpr std::array<double, 5> nodes = {0.0, -0.5384693101056831, 0.5384693101056831, -0.9061798459386640,
                                             0.9061798459386640};
    constexpr std::array<double, 5> weights = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                               0.2369268850561891, 0.2369268850561891};
    const double half = (to - from) / 2.0;
    const double middle = (to + from) / 2.0;
    double sum = 0.0;
    for (std::size_t k = 0; k < nodes.size(); ++k) {
        sum += weights[k] * Length(BezierDerivative(p0, p1, p2, p3, middle + half * nodes[k]));
    }
    return sum * half;
}

}  // namespace

SmoothCurve::SmoothCurve(const std::vector<Vec3>& points, bool closed) {
    const int count = static_cast<int>(points.size());
    // Points by index; an open curve's ends go on straight with the spacing of their last stretch.
    const auto point = [&](int i) -> Vec3 {
        if (closed) return points[static_cast<std::size_t>(((i % count) + count) % count)];
        if (i < 0) return points[0] + (points[0] - points[1]) * static_cast<double>(-i);
        if (i >= count) return points[count - 1] + (points[count - 1] - points[count - 2]) * static_cast<double>(i - count + 1);
        return points[static_cast<std::size_t>(i)];
    };
    const int pieceCount = closed ? count : count - 1;
    std::vector<Vec3> tangents;
    for (int i = 0; i <= pieceCount; ++i) {
        tangents.push_back(TangentAt(point(i - 2), point(i - 1), point(i), point(i + 1), point(i + 2)));
    }

    samples_.push_back({0.0, 0.0});
    for (int j = 0; j < pieceCount; ++j) {
        const Vec3 start = point(j);
        const Vec3 end = point(j + 1);
        const Vec3 startTangent = tangents[static_cast<std::size_t>(j)];
        const Vec3 endTangent = tangents[static_cast<std::size_t>(j + 1)];
        const double chord = Distance(start, end);
        // Handles of the cubic closest to a circular arc turning by the angle between the
        // tangents: (4/3) tan(angle/4) R, written without trigonometry.
        const double cosine = std::clamp(Dot(startTangent, endTangent), -1.0, 1.0);
        const double halfAngleCosine = std::sqrt((1.0 + cosine) / 2.0);
        const double handle = (2.0 / 3.0) * chord / (1.0 + halfAngleCosine);
        const Piece piece{start, start + startTangent * handle, end - endTangent * handle, end};
        pieces_.push_back(piece);

        // A straight piece runs at an even speed: its ends alone map arc length to parameter.
        const Vec3 chordDirection = (end - start) * (1.0 / chord);
        const bool straight = Distance(startTangent, chordDirection) < InLineTolerance &&
                              Distance(endTangent, chordDirection) < InLineTolerance;
        const int steps = straight ? 1
                                   : std::max(MinimumSamplesPerCurvedPiece,
                                              static_cast<int>(std::ceil(chord / SampleSpacing)));
        for (int k = 1; k <= steps; ++k) {
            const double from = static_cast<double>(k - 1) / steps;
            const double to = static_cast<double>(k) / steps;
            const double length =
                ArcLength(piece.start, piece.startHandle, piece.endHandle, piece.end, from, to);
            samples_.push_back({samples_.back().arcLength + length, j + to});
        }
    }
}

CurvePoint SmoothCurve::At(double arcLength) const {
    const double s = std::clamp(arcLength, 0.0, Length());
    const auto after = std::upper_bound(samples_.begin() + 1, samples_.end() - 1, s,
                                        [](double value, const Sample& sample) { return value < sample.arcLength; });
    const Sample& a = *(after - 1);
    const Sample& b = *after;
    const double span = b.arcLength - a.arcLength;
    const double parameter = span > 0.0 ? a.parameter + (b.parameter - a.parameter) * ((s - a.arcLength) / span)
                                        : a.parameter;
    const std::size_t index =
        std::min(static_cast<std::size_t>(a.parameter), pieces_.size() - 1);  // the piece the sample pair lies on
    const Piece& piece = pieces_[index];
    const double u = std::clamp(parameter - static_cast<double>(index), 0.0, 1.0);
    const Vec3 derivative = BezierDerivative(piece.start, piece.startHandle, piece.endHandle, piece.end, u);
    const double speed = sim::Length(derivative);
    const Vec3 direction = speed > 0.0 ? derivative * (1.0 / speed) : Normalized(piece.end - piece.start);
    return {BezierPoint(piece.start, piece.startHandle, piece.endHandle, piece.end, u), direction};
}

}  // namespace sim
