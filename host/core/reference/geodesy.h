#pragma once

// The WGS-84 ellipsoid and the conversions between Earth-centred (ECEF) coordinates, geodetic
// latitude, longitude and height, and local north-east-down vectors. Angles are in radians.
namespace wgs84 {

// The value of pi that the receiver's own software uses.
constexpr double kPi = 3.1415926535898;
constexpr double kDegreesPerRadian = 180.0 / kPi;

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kFlattening = 0.0033528106647474805;  // 1 / 298.257223563
constexpr double kSemiMinorAxis = kSemiMajorAxis * (1 - kFlattening);
constexpr double kEccentricitySquared =
    (kSemiMajorAxis * kSemiMajorAxis - kSemiMinorAxis * kSemiMinorAxis) / (kSemiMajorAxis * kSemiMajorAxis);
constexpr double kSecondEccentricitySquared =
    (kSemiMajorAxis * kSemiMajorAxis - kSemiMinorAxis * kSemiMinorAxis) / (kSemiMinorAxis * kSemiMinorAxis);

}  // namespace wgs84

struct EcefVector {
    double x, y, z;
};

struct GeodeticPosition {
    double latitude, longitude, height;
};

struct LocalVector {
    double north, east, down;
};

double LongitudeFromEcef(double x, double y);
// Bowring's closed form; a point on the axis lies at a pole with height |z| - b.
GeodeticPosition EcefToGeodetic(const EcefVector& position);
EcefVector GeodeticToEcef(const GeodeticPosition& position);

// Rotations of a velocity between the ECEF axes and the local north-east-down frame at a place.
LocalVector EcefToLocal(const EcefVector& vector, double latitude, double longitude);
EcefVector LocalToEcef(const LocalVector& vector, double latitude, double longitude);
