#pragma once
// A small ray tracer for dial tests, written from first principles and sharing nothing with
// the dial code: the sun's direction in a local frame, rays, planes and cylinders.
//
// Local frame: x east, y north, z up. Angles in radians.
#include <cmath>
#include <numbers>

namespace shadow {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;
constexpr double kObliquity = 23.44 * kDeg;

struct Vec {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec operator-(Vec a) { return {-a.x, -a.y, -a.z}; }
inline Vec operator*(double k, Vec a) { return {k * a.x, k * a.y, k * a.z}; }
inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec Cross(Vec a, Vec b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double Norm(Vec a) { return std::sqrt(Dot(a, a)); }
inline Vec Unit(Vec a) { return (1.0 / Norm(a)) * a; }

constexpr Vec kEast{1, 0, 0};
constexpr Vec kNorth{0, 1, 0};
constexpr Vec kUp{0, 0, 1};

// The north celestial pole seen from latitude phi.
inline Vec NorthPole(double phi) { return {0.0, std::cos(phi), std::sin(phi)}; }
// The celestial pole above the horizon.
inline Vec UpperPole(double phi) { return phi >= 0.0 ? NorthPole(phi) : -NorthPole(phi); }
// The point of the celestial equator on the meridian, above the horizon.
inline Vec EquatorOnMeridian(double phi) { return {0.0, -std::sin(phi), std::cos(phi)}; }

// Unit vector towards the sun for a true hour angle (positive west) and declination.
inline Vec SunVector(double phi, double hourAngle, double declination)
{
    const Vec west{-1, 0, 0};
    return std::cos(declination) * std::cos(hourAngle) * EquatorOnMeridian(phi) +
           std::cos(declination) * std::sin(hourAngle) * west + std::sin(declination) * NorthPole(phi);
}

// Azimuth (from the equator side: south in the north, north in the south; positive west) and
// altitude of a direction seen from latitude phi.
inline void AzimuthAltitude(Vec s, double phi, double& azimuth, double& altitude)
{
    altitude = std::asin(s.z);
    azimuth = phi >= 0.0 ? std::atan2(-s.x, -s.y) : std::atan2(-s.x, s.y);
}

// Where the ray from `from` along `dir` meets the plane through `point` with normal `normal`;
// false when it runs parallel or the plane lies behind.
inline bool RayPlane(Vec from, Vec dir, Vec point, Vec normal, Vec& hit)
{
    const double den = Dot(dir, normal);
    if (std::fabs(den) < 1e-12)
        return false;
    const double k = Dot(point - from, normal) / den;
    if (k <= 0.0)
        return false;
    hit = from + k * dir;
    return true;
}

// The farthest forward point where the ray from `from` along `dir` meets the infinite
// cylinder of that axis (through axisPoint, unit axis) and radius: the inner wall hit by a
// ray that starts inside or on it.
inline bool RayCylinderFar(Vec from, Vec dir, Vec axisPoint, Vec axis, double radius, Vec& hit)
{
    const Vec rel = from - axisPoint;
    const Vec p = rel - Dot(rel, axis) * axis;
    const Vec q = dir - Dot(dir, axis) * axis;
    const double a = Dot(q, q);
    const double b = 2.0 * Dot(p, q);
    const double c = Dot(p, p) - radius * radius;
    const double disc = b * b - 4.0 * a * c;
    if (a < 1e-15 || disc < 0.0)
        return false;
    const double k = (-b + std::sqrt(disc)) / (2.0 * a);
    if (k <= 1e-12)
        return false;
    hit = from + k * dir;
    return true;
}

// A face frame as the sheet is laid on the real surface: right and up on the drawing; the
// third axis, right x up, points out of the face towards the viewer.
struct Frame {
    Vec right;
    Vec up;
    Vec Normal() const { return Cross(right, up); }
    double U(Vec v) const { return Dot(v, right); }
    double V(Vec v) const { return Dot(v, up); }
};

// A well spread, repeatable set of sun positions: hour angles over the whole day and
// declinations between the solstices.
struct SunSample {
    double hourAngle;
    double declination;
};
inline SunSample Sample(int i)
{
    const double a = std::fmod(0.5 + i * 0.6180339887498949, 1.0);
    const double b = std::fmod(0.5 + i * 0.7548776662466927, 1.0);
    return {(2.0 * a - 1.0) * kPi, (2.0 * b - 1.0) * kObliquity};
}

}  // namespace shadow
