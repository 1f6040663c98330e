#include "world/geometry.h"

namespace sim {

namespace {

// Reduces an angle to r in [-pi/4, pi/4] with angle = r + quadrant * pi/2.
double Reduce(double radians, int& quadrant) {
    const double halfPi = Pi / 2.0;
    const double turns = std::floor(radians / halfPi + 0.5);
    quadrant = static_cast<int>(std::fmod(turns, 4.0));
    if (quadrant < 0) quadrant += 4;
    return radians - turns * halfPi;
}

double SinSeries(double r) {
    const double r2 = r * r;
    double term = r;
    double sum = r;
    for (int n = 1; n <= 10; ++n) {
        term *= -r2 / ((2.0 * n) * (2.0 * n + 1.0));
        sum += term;
    }
    return sum;
}

double CosSeries(double r) {
    const double r2 = r * r;
    double term = 1.0;
    double sum = 1.0;
    for (int n = 1; n <= 10; ++n) {
        term *= -r2 / ((2.0 * n - 1.0) * (2.0 * n));
        sum += term;
    }
    return sum;
}

// atan for |x| <= 1: halve the angle twice, then the series converges fast.
double AtanSmall(double x) {
    for (int i = 0; i < 2; ++i) x = x / (1.0 + std::sqrt(1.0 + x * x));
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int n = 1; n <= 12; ++n) {
        term *= -x2;
        sum += term / (2.0 * n + 1.0);
    }
    return 4.0 * sum;
}

double Atan(double x) {
    if (x > 1.0) return Pi / 2.0 - AtanSmall(1.0 / x);
    if (x < -1.0) return -Pi / 2.0 - AtanSmall(1.0 / x);
    return AtanSmall(x);
}

constexpr double DegreesPerRadian = 180.0 / Pi;

}  // namespace

double PortableSin(double radians) {
    if (!std::isfinite(radians)) return 0.0;
    int quadrant = 0;
    const double r = Reduce(radians, quadrant);
    switch (quadrant) {
        case 0: return SinSeries(r);
        case 1: return CosSeries(r);
        case 2: return -SinSeries(r);
        default: return -CosSeries(r);
    }
}

double PortableCos(double radians) {
    if (!std::isfinite(radians)) return 1.0;
    int quadrant = 0;
    const double r = Reduce(radians, quadrant);
    switch (quadrant) {
        case 0: return CosSeries(r);
        case 1: return -SinSeries(r);
        case 2: return -CosSeries(r);
        default: return SinSeries(r);
    }
}

double PortableAtan2(double y, double x) {
    if (x > 0.0) return Atan(y / x);
    if (x < 0.0) return y >= 0.0 ? Atan(y / x) + Pi : Atan(y / x) - Pi;
    if (y > 0.0) return Pi / 2.0;
    if (y < 0.0) return -Pi / 2.0;
    return 0.0;
}

Vec3 ForwardFromRotation(double pitchDegrees, double yawDegrees) {
    const double pitch = pitchDegrees / DegreesPerRadian;
    const double yaw = yawDegrees / DegreesPerRadian;
    const double flat = PortableCos(pitch);
    return {-PortableSin(yaw) * flat, PortableCos(yaw) * flat, PortableSin(pitch)};
}

double YawDegrees(const Vec3& forward) { return PortableAtan2(-forward.x, forward.y) * DegreesPerRadian; }

double PitchDegrees(const Vec3& forward) {
    return PortableAtan2(forward.z, Length2D(forward)) * DegreesPerRadian;
}

}  // namespace sim
