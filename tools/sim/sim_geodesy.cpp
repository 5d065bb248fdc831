#include "sim_geodesy.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kEquatorialRadius = 6378137.0;
constexpr double kPolarRadius = kEquatorialRadius * (1 - 1 / 298.257223563);

constexpr double kFlattening = 1 / 298.257223563;
constexpr double kUtmScale = 0.9996;
constexpr double kFalseEasting = 500000.0;
constexpr double kFalseNorthing = 10000000.0;

// The meridian's length from the equator to a latitude (radians), as a series in e².
double MeridianArc(double phi, double e2) {
    const double e4 = e2 * e2, e6 = e4 * e2;
    return kEquatorialRadius *
           ((1 - e2 / 4 - 3 * e4 / 64 - 5 * e6 / 256) * phi -
            (3 * e2 / 8 + 3 * e4 / 32 + 45 * e6 / 1024) * std::sin(2 * phi) +
            (15 * e4 / 256 + 45 * e6 / 1024) * std::sin(4 * phi) - 35 * e6 / 3072 * std::sin(6 * phi));
}

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

// The transverse Mercator projection as series in the distance from the zone's central meridian.
SimUtm SimUtmFromGeodetic(double latitude, double longitude) {
    const int zone = std::clamp(static_cast<int>(std::floor((longitude + 180) / 6)) + 1, 1, 60);
    const double centralMeridian = zone * 6 - 183.0;
    const double e2 = kFlattening * (2 - kFlattening), ep2 = e2 / (1 - e2);
    const double phi = latitude * kDegree;
    const double s = std::sin(phi), c = std::cos(phi), t = std::tan(phi);
    const double n = kEquatorialRadius / std::sqrt(1 - e2 * s * s);
    const double t2 = t * t, c2 = ep2 * c * c;
    const double a = c * (longitude - centralMeridian) * kDegree;
    const double a2 = a * a;
    const double easting =
        kUtmScale * n * a * (1 + (1 - t2 + c2) * a2 / 6 + (5 - 18 * t2 + t2 * t2 + 72 * c2 - 58 * ep2) * a2 * a2 / 120);
    const double northing =
        kUtmScale * (MeridianArc(phi, e2) + n * t * a2 *
                                                (0.5 + (5 - t2 + 9 * c2 + 4 * c2 * c2) * a2 / 24 +
                                                 (61 - 58 * t2 + t2 * t2 + 600 * c2 - 330 * ep2) * a2 * a2 / 720));
    const bool south = latitude < 0;
    return {easting + kFalseEasting, south ? northing + kFalseNorthing : northing, zone, south};
}
