#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "host/core/reference/geoid.h"

namespace {

// The weighting of a corner as the geoid lookup defines it, evaluated independently.
double W(double p, double q) { return (9 - 6 * (p + q) + 4 * p * q) * p * p * q * q; }

double Node(int row, int column) { return kGeoidHeights[row][column]; }

TEST(GeoidTable, KeepsTheKnownRowStartsAndWrapsEachRow) {
    const int north[] = {33, 34, 28, 23, 17, 13};
    const int south[] = {-4, -1, 1, 4, 4, 6};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(kGeoidHeights[0][c], north[c]);
        EXPECT_EQ(kGeoidHeights[16][c], south[c]);
    }
    for (int r = 0; r < kGeoidRows; ++r) EXPECT_EQ(kGeoidHeights[r][0], kGeoidHeights[r][36]) << r;
}

TEST(GeoidSeparation, GridNodesGiveTheirTableValue) {
    EXPECT_DOUBLE_EQ(GeoidSeparation(80, 0), 33);
    EXPECT_DOUBLE_EQ(GeoidSeparation(80, 50), 13);
    EXPECT_DOUBLE_EQ(GeoidSeparation(-80, 30), 4);
    EXPECT_DOUBLE_EQ(GeoidSeparation(0, 80), Node(8, 8));  // Indian Ocean low, EGM96 about -103 m
    EXPECT_DOUBLE_EQ(GeoidSeparation(0, 80), -103);
    EXPECT_DOUBLE_EQ(GeoidSeparation(50, 350), Node(3, 35));
}

TEST(GeoidSeparation, BetweenNodesTheCornersAreWeighted) {
    // Midpoint of the cell from 50 N to 40 N and 10 E to 20 E: four equal weights.
    EXPECT_DOUBLE_EQ(GeoidSeparation(45, 15), (Node(3, 1) + Node(3, 2) + Node(4, 1) + Node(4, 2)) / 4);
    // Latitude 47.5: y = 0.25 of the way from row 3 to row 4; longitude 12.5: x = 0.25.
    const double y = 0.25, x = 0.25;
    const double expected =
        Node(3, 1) * W(1 - y, 1 - x) + Node(3, 2) * W(1 - y, x) + Node(4, 1) * W(y, 1 - x) + Node(4, 2) * W(y, x);
    EXPECT_NEAR(GeoidSeparation(47.5, 12.5), expected, 1e-12);
}

TEST(GeoidSeparation, BeyondEightyDegreesTheEdgesTakeOver) {
    EXPECT_DOUBLE_EQ(GeoidSeparation(90, 123), 13);
    EXPECT_DOUBLE_EQ(GeoidSeparation(85, 0), (13 + 33) / 2.0);
    // 82 N lies 0.8 of the way from the pole edge (13 m) to the 80 N row.
    EXPECT_NEAR(GeoidSeparation(82, 5), 13 * W(0.2, 0.5) * 2 + (33 + 34) * W(0.8, 0.5), 1e-12);
    EXPECT_DOUBLE_EQ(GeoidSeparation(-90, -45), -30);
    EXPECT_DOUBLE_EQ(GeoidSeparation(-85, 0), (-4 - 30) / 2.0);
    // 87.5 S on the 10 E meridian: a quarter of the 80 S row's -1 m, three quarters of the south edge.
    EXPECT_NEAR(GeoidSeparation(-87.5, 10), -1 * W(0.25, 1) - 30 * W(0.75, 1), 1e-12);
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
