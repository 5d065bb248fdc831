#include "sim_geodesy.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kEquatorialRadius = 6378137.0;
constexpr double kPolarRadius = kEquatorialRadius * (1 - 1 / 298.257223563);

double Dot(const SimEcef& u, const SimEcef& v) { return u.x * v.x + u.y * v.y + u.z * v.z; }

SimEcef Cross(const SimEcef& u, const SimEcef& v) {
    return {u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
}
}  // namespace

// On the meridian ellipse the point under a geodetic latitude sits at the reduced latitude, at
// (a cos, b sin); the height is then added along the normal.
SimEcef SimEcefFromGeodetic(double latitude, double longitude, double height) {
    const double phi = latitude * kDegree, lambda = longitude * kDegree;
    const double reduced = std::atan2(kPolarRadius * std::sin(phi), kEquatorialRadius * std::cos(phi));
    const double fromAxis = kEquatorialRadius * std::cos(reduced) + height * std::cos(phi);
    return {fromAxis * std::cos(lambda), fromAxis * std::sin(lambda),
            kPolarRadius * std::sin(reduced) + height * std::sin(phi)};
}

SimRadii SimRadiiAt(double latitude) {
    const double a2 = kEquatorialRadius * kEquatorialRadius, b2 = kPolarRadius * kPolarRadius;
    const double c = std::cos(latitude * kDegree), s = std::sin(latitude * kDegree);
    const double q = a2 * c * c + b2 * s * s;
    return {a2 * b2 / (q * std::sqrt(q)), a2 / std::sqrt(q)};
}

// Up is the ellipsoid's normal, east lies along the parallel, and north completes the frame.
CSimLocalAxes::CSimLocalAxes(double latitude, double longitude) {
    const double phi = latitude * kDegree, lambda = longitude * kDegree;
    up = {std::cos(phi) * std::cos(lambda), std::cos(phi) * std::sin(lambda), std::sin(phi)};
    east = {-std::sin(lambda), std::cos(lambda), 0};
    north = Cross(up, east);
}

SimNed CSimLocalAxes::FromEcef(const SimEcef& v) const { return {Dot(north, v), Dot(east, v), -Dot(up, v)}; }

SimEcef CSimLocalAxes::ToEcef(const SimNed& v) const {
    return {north.x * v.north + east.x * v.east - up.x * v.down, north.y * v.north + east.y * v.east - up.y * v.down,
            north.z * v.north + east.z * v.east - up.z * v.down};
}
