#include "geodesy.h"

#include <cmath>

using namespace wgs84;

namespace {
constexpr double a = kSemiMajorAxis;
constexpr double b = kSemiMinorAxis;
}  // namespace

double LongitudeFromEcef(double x, double y) { return std::atan2(y, x); }

GeodeticPosition EcefToGeodetic(const EcefVector& position) {
    const double longitude = LongitudeFromEcef(position.x, position.y);
    const double p = std::hypot(position.x, position.y);
    if (p == 0) return {std::copysign(kPi / 2, position.z), longitude, std::fabs(position.z) - b};

    const double theta = std::atan2(position.z * a, p * b);
    const double sinTheta = std::sin(theta);
    const double cosTheta = std::cos(theta);
    const double latitude = std::atan2(position.z + kSecondEccentricitySquared * b * sinTheta * sinTheta * sinTheta,
                                       p - kEccentricitySquared * a * cosTheta * cosTheta * cosTheta);
    // Equal to p / cos(latitude) - N, but keeps its precision near the poles, where cos(latitude) vanishes.
    const double c = std::cos(latitude);
    const double s = std::sin(latitude);
    const double height = p * c + position.z * s - std::sqrt(a * a * c * c + b * b * s * s);
    return {latitude, longitude, height};
}

EcefVector GeodeticToEcef(const GeodeticPosition& position) {
    const double sinLatitude = std::sin(position.latitude);
    const double n = a / std::sqrt(1 - kEccentricitySquared * sinLatitude * sinLatitude);
    const double horizontal = (n + position.height) * std::cos(position.latitude);
    return {horizontal * std::cos(position.longitude), horizontal * std::sin(position.longitude),
            (n * (1 - kEccentricitySquared) + position.height) * sinLatitude};
}

LocalVector EcefToLocal(const EcefVector& v, double latitude, double longitude) {
    const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
    const double sinLon = std::sin(longitude), cosLon = std::cos(longitude);
    return {-sinLat * cosLon * v.x - sinLat * sinLon * v.y + cosLat * v.z,  //
            -sinLon * v.x + cosLon * v.y,                                   //
            -cosLat * cosLon * v.x - cosLat * sinLon * v.y - sinLat * v.z};
}

EcefVector LocalToEcef(const LocalVector& v, double latitude, double longitude) {
    const double sinLat = std::sin(latitude), cosLat = std::cos(latitude);
    const double sinLon = std::sin(longitude), cosLon = std::cos(longitude);
    return {-sinLat * cosLon * v.north - sinLon * v.east - cosLat * cosLon * v.down,
            -sinLat * sinLon * v.north + cosLon * v.east - cosLat * sinLon * v.down,  //
            cosLat * v.north - sinLat * v.down};
}
