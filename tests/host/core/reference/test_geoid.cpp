#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>

#include "host/core/reference/geoid.h"

namespace {

struct Egm96 {
    double latitude, longitude;  // degrees
    double height;               // m
};

// Against the 15-minute EGM96 grid over the whole Earth, a 10-degree grid misses what is narrower
// than its cells: it is off by 1.8 m at the median, by more than 6 m at one place in thirteen and
// by 25 m at worst.
constexpr double kGridReach = 6.0;

void ExpectEgm96(std::span<const Egm96> points, double tolerance) {
    for (const Egm96& p : points)
        EXPECT_NEAR(GeoidSeparation(p.latitude, p.longitude), p.height, tolerance) << p.latitude << " " << p.longitude;
}

TEST(GeoidTable, KeepsTheKnownRowStartsAndWrapsEachRow) {
    const int north[] = {33, 34, 28, 23, 17, 13};
    const int south[] = {-4, -1, 1, 4, 4, 6};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(kGeoidHeights[0][c], north[c]);
        EXPECT_EQ(kGeoidHeights[16][c], south[c]);
    }
    for (int r = 0; r < kGeoidRows; ++r) EXPECT_EQ(kGeoidHeights[r][0], kGeoidHeights[r][36]) << r;
}

// On its nodes the grid holds EGM96 rounded to whole metres; the heights are those of the nodes
// of the 15-minute grid egm96_15.gtx (Debian's proj-data).
TEST(GeoidSeparation, GridNodesAreEgm96ToTheMetre) {
    const Egm96 nodes[] = {{0, 80, -102.69},  {60, 100, -34.25}, {50, -10, 58.39},
                           {20, -100, -7.02}, {-30, 150, 31.69}, {-40, -70, 22.75}};
    ExpectEgm96(nodes, 0.5);
}

// The test points that come with NGA's EGM96 interpolation program, one in each quadrant and two
// beside the Greenwich meridian.
TEST(GeoidSeparation, BetweenNodesThePublishedEgm96TestPointsAreWithinTheGridsReach) {
    const Egm96 points[] = {{38.6281550, 269.7791550, -31.628}, {-14.6212170, 305.0211140, -2.969},
                            {46.8743190, 102.4487290, -43.575}, {-23.6174460, 133.8747120, 15.871},
                            {38.6254730, 359.9995000, 50.066},  {-0.4667440, 0.0023000, 17.329}};
    ExpectEgm96(points, kGridReach);
}

// Beyond the outer rows the heights lead to the poles' own; EGM96 from the 15-minute grid.
TEST(GeoidSeparation, BeyondEightyDegreesTheEdgesTakeOver) {
    const Egm96 polar[] = {{90, 123, 13.61},   {85, 0, 25.08},   {82, 5, 30.85},
                           {-90, -45, -29.53}, {-85, 0, -15.49}, {-87.5, 10, -22.79}};
    ExpectEgm96(polar, kGridReach);
}

TEST(GeoidSeparation, AnyLongitudeIsTakenModulo360) {
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, -10), GeoidSeparation(30, 350));
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, 370), GeoidSeparation(30, 10));
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, -370), GeoidSeparation(30, 350));
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, 725.5), GeoidSeparation(30, 5.5));
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, 180), GeoidSeparation(30, -180));
    EXPECT_DOUBLE_EQ(GeoidSeparation(30, 360), GeoidSeparation(30, 0));
    // A longitude a hair below zero must not step past the end of a row.
    EXPECT_NEAR(GeoidSeparation(30, -1e-300), GeoidSeparation(30, 0), 1e-9);
    EXPECT_TRUE(std::isfinite(GeoidSeparation(30, 1e300)));
}

TEST(GeoidSeparation, OutOfRangeInputsStayInsideTheTable) {
    EXPECT_DOUBLE_EQ(GeoidSeparation(95, 10), 13);
    EXPECT_DOUBLE_EQ(GeoidSeparation(-1000, 10), -30);
    EXPECT_TRUE(std::isnan(GeoidSeparation(std::numeric_limits<double>::quiet_NaN(), 0)));
    EXPECT_TRUE(std::isnan(GeoidSeparation(0, std::numeric_limits<double>::infinity())));
}

}  // namespace
