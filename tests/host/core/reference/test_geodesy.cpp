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
