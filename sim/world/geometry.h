#pragma once
// Vectors and the trigonometry of the simulated world. The world runs both on Linux and
// inside the stand-in DLL under wine, and its traces must agree bit for bit, so it uses
// only arithmetic and square roots, which IEEE fixes exactly, never the platform's libm.

#include <cmath>

namespace sim {

struct Vec3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
    bool operator==(const Vec3&) const = default;
};

inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
inline double Length2D(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y); }
inline double Distance(const Vec3& a, const Vec3& b) { return Length(a - b); }
inline Vec3 Normalized(const Vec3& v, const Vec3& fallback = {0.0, 1.0, 0.0}) {
    const double length = Length(v);
    return length > 0.0 ? v * (1.0 / length) : fallback;
}

inline constexpr double Pi = 3.14159265358979323846;

// Portable trigonometry to about 1e-15, from arithmetic alone.
double PortableSin(double radians);
double PortableCos(double radians);
double PortableAtan2(double y, double x);

// The game's angles: degrees; heading 0 faces +y (north) and grows anticlockwise.
// Rotation order 0 is (pitch, roll, yaw).
Vec3 ForwardFromRotation(double pitchDegrees, double yawDegrees);
double YawDegrees(const Vec3& forward);
double PitchDegrees(const Vec3& forward);

}  // namespace sim
