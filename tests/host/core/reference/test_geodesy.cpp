#include <gtest/gtest.h>

#include <cmath>

#include "host/core/reference/geodesy.h"
#include "host/core/reference/leap_seconds.h"
#include "shared/calendar.h"

namespace {

constexpr double kPi = 3.1415926535898;
constexpr double kDegree = kPi / 180;

double AngleDifference(double a, double b) { return std::remainder(a - b, 2 * kPi); }

TEST(Geodesy, EllipsoidConstantsAreWgs84) {
    EXPECT_EQ(wgs84::kPi, 3.1415926535898);
    EXPECT_NEAR(wgs84::kSemiMinorAxis, 6356752.314245, 1e-6);
    EXPECT_NEAR(wgs84::kEccentricitySquared, 0.00669437999014, 1e-14);
    EXPECT_NEAR(wgs84::kSecondEccentricitySquared, 0.00673949674228, 1e-14);
}

TEST(Geodesy, PositionsRoundTripThroughEcef) {
    const double latitudes[] = {-90, -89.9999, -60, -45, -10, 0, 0.0001, 30, 52.5, 80, 89.9999, 90};
    const double longitudes[] = {-180, -179.9999, -90, -0.5, 0, 45, 135, 179.9999, 180};
    const double heights[] = {-400, 0, 1234.5, 20000, 400000};
    for (double latitude : latitudes) {
        for (double longitude : longitudes) {
            for (double height : heights) {
                const GeodeticPosition in{latitude * kDegree, longitude * kDegree, height};
                const GeodeticPosition out = EcefToGeodetic(GeodeticToEcef(in));
                EXPECT_NEAR(out.latitude, in.latitude, 1e-9) << latitude << " " << longitude << " " << height;
                EXPECT_NEAR(out.height, in.height, 1e-3) << latitude << " " << longitude << " " << height;
                // At the poles every longitude names the same point.
                if (std::fabs(latitude) < 90) {
                    EXPECT_NEAR(AngleDifference(out.longitude, in.longitude), 0, 1e-9) << latitude << " " << longitude;
                }
            }
        }
    }
}

TEST(Geodesy, KnownPointsOnTheEllipsoid) {
    const EcefVector equator = GeodeticToEcef({0, 0, 0});
    EXPECT_DOUBLE_EQ(equator.x, wgs84::kSemiMajorAxis);
    EXPECT_NEAR(equator.y, 0, 1e-9);
    EXPECT_NEAR(equator.z, 0, 1e-9);
    const GeodeticPosition north = EcefToGeodetic({0, 0, wgs84::kSemiMinorAxis + 10});
    EXPECT_DOUBLE_EQ(north.latitude, kPi / 2);
    EXPECT_DOUBLE_EQ(north.height, 10);
    // The centre of the Earth has no latitude to speak of, but must not give nonsense outside +-90 degrees.
    EXPECT_LE(std::fabs(EcefToGeodetic({0, 0, 0}).latitude), kPi / 2);
}

// Mid-latitude places in all four quadrants. The first is the worked example of EPSG's guidance note
// on coordinate conversions (IOGP 373-7-2), which gives its ECEF position to the millimetre; the other
// positions and every rotated velocity were computed apart from this code to 40 digits (the point on
// the meridian ellipse at the reduced latitude, Newton's iteration for the inverse, the local axes
// as cross products of the vertical and the Earth's axis).
struct Reference {
    double latitude, longitude, height;  // degrees, m
    EcefVector ecef;                     // m
    EcefVector velocity;                 // m/s on the ECEF axes
    LocalVector local;                   // the same velocity north, east, down
};

// clang-format off
constexpr Reference kReferences[] = {
    {53 + 48 / 60.0 + 33.82 / 3600, 2 + 7 / 60.0 + 46.38 / 3600, 73.0, {3771793.9676, 140253.3419, 5124304.3494},
     {12.5, -3.25, 7.75}, {-5.407612561, -3.712244205, -13.559202386}},
    {40.015, -105.27, 1655.0, {-1288634.3077, -4720162.5932, 4080325.4410},
     {-4.5, 9.0, 2.25}, {6.543769710, -6.711441279, 4.295129094}},
    {-33.8688, 151.2093, 58.0, {-4646093.4773, 2553229.5358, -3534404.7109},
     {0.75, 6.5, -11.0}, {-7.755185490, -6.057710192, -8.183748850}},
    {-34.6037, -58.3816, 25.0, {2755266.0351, -4475400.0043, -3601780.7280},
     {-8.25, -1.5, 3.0}, {0.738461700, -7.811747696, 4.212335725}},
};
// clang-format on

TEST(Geodesy, ReferencePlacesConvertBothWays) {
    for (const Reference& r : kReferences) {
        SCOPED_TRACE(testing::Message() << r.latitude << " " << r.longitude);
        const EcefVector ecef = GeodeticToEcef({r.latitude * kDegree, r.longitude * kDegree, r.height});
        EXPECT_NEAR(ecef.x, r.ecef.x, 1e-3);
        EXPECT_NEAR(ecef.y, r.ecef.y, 1e-3);
        EXPECT_NEAR(ecef.z, r.ecef.z, 1e-3);
        const GeodeticPosition geodetic = EcefToGeodetic(r.ecef);
        EXPECT_NEAR(geodetic.latitude, r.latitude * kDegree, 1e-10);  // 0.6 mm
        EXPECT_NEAR(geodetic.longitude, r.longitude * kDegree, 1e-10);
        EXPECT_NEAR(geodetic.height, r.height, 1e-3);
    }
}

TEST(Geodesy, ReferenceVelocitiesRotateBothWays) {
    for (const Reference& r : kReferences) {
        SCOPED_TRACE(testing::Message() << r.latitude << " " << r.longitude);
        const LocalVector local = EcefToLocal(r.velocity, r.latitude * kDegree, r.longitude * kDegree);
        EXPECT_NEAR(local.north, r.local.north, 1e-9);
        EXPECT_NEAR(local.east, r.local.east, 1e-9);
        EXPECT_NEAR(local.down, r.local.down, 1e-9);
        const EcefVector ecef = LocalToEcef(r.local, r.latitude * kDegree, r.longitude * kDegree);
        EXPECT_NEAR(ecef.x, r.velocity.x, 1e-9);
        EXPECT_NEAR(ecef.y, r.velocity.y, 1e-9);
        EXPECT_NEAR(ecef.z, r.velocity.z, 1e-9);
    }
}

TEST(Geodesy, VelocityRotationsAreInverse) {
    for (double latitude : {-90.0, -20.0, 0.0, 64.0, 90.0}) {
        for (double longitude : {-180.0, -100.0, 0.0, 10.0, 180.0}) {
            const LocalVector in{3.5, -7.25, 1.5};
            const LocalVector out = EcefToLocal(LocalToEcef(in, latitude * kDegree, longitude * kDegree),
                                                latitude * kDegree, longitude * kDegree);
            EXPECT_NEAR(out.north, in.north, 1e-12);
            EXPECT_NEAR(out.east, in.east, 1e-12);
            EXPECT_NEAR(out.down, in.down, 1e-12);
        }
    }
    // At the north pole on longitude 0, north points along -X and down along -Z.
    const EcefVector v = LocalToEcef({1, 0, 2}, kPi / 2, 0);
    EXPECT_NEAR(v.x, -1, 1e-12);
    EXPECT_NEAR(v.z, -2, 1e-12);
}

double Utc(int year, int month, int day) { return static_cast<double>(DaysFromCivil(year, month, day)) * 86400; }

TEST(LeapSeconds, StepsApplyStrictlyAfterTheirDate) {
    EXPECT_EQ(LeapSeconds(Utc(1980, 1, 1)), 0);
    EXPECT_EQ(LeapSeconds(Utc(1981, 7, 1)), 0);
    EXPECT_EQ(LeapSeconds(Utc(1981, 7, 1) + 1), 1);
    EXPECT_EQ(LeapSeconds(Utc(2006, 1, 1)), 13);
    EXPECT_EQ(LeapSeconds(Utc(2006, 1, 1) + 1), 14);
    EXPECT_EQ(LeapSeconds(Utc(2009, 1, 1) + 1), 15);
    EXPECT_EQ(LeapSeconds(Utc(2012, 7, 1) + 1), 16);
    EXPECT_EQ(LeapSeconds(Utc(2015, 7, 1) + 1), 17);
    EXPECT_EQ(LeapSeconds(Utc(2017, 1, 1)), 17);
    EXPECT_EQ(LeapSeconds(Utc(2017, 1, 1) + 1), 18);
    EXPECT_EQ(LeapSeconds(Utc(2030, 1, 1)), 18);
}

// Around every step, GPS time read back as UTC gives the UTC it came from.
TEST(LeapSeconds, GpsTimeConvertsBackToTheSameUtc) {
    for (double step : {Utc(1981, 7, 1), Utc(1999, 1, 1), Utc(2006, 1, 1), Utc(2012, 7, 1), Utc(2017, 1, 1)}) {
        for (double utc = step - 3; utc <= step + 25; utc += 0.5)
            EXPECT_EQ(UtcFromGpsTime(GpsTimeFromUtc(utc)), utc) << static_cast<int64_t>(utc);
    }
    EXPECT_EQ(GpsTimeFromUtc(kGpsEpochUtc), 0);
    EXPECT_EQ(UtcFromGpsTime(0), kGpsEpochUtc);
}

}  // namespace
