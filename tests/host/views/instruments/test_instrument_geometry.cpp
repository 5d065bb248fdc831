#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "host/views/instruments/instrument_geometry.h"
#include "host/views/instruments/world_coastline.h"

namespace {

constexpr double kPi = std::numbers::pi;
const Dial kDial{QPoint(100, 100), 100};

void ExpectNear(QPointF actual, QPointF expected) {
    EXPECT_NEAR(actual.x(), expected.x(), 1e-9);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-9);
}

}  // namespace

TEST(InstrumentGeometry, TheSpeedometerSweepsFromLowerLeftOverTheTopToLowerRight) {
    const double d = 100 / std::sqrt(2.0);
    ExpectNear(SpeedPoint(kDial, 100, 0), QPointF(100 - d, 100 + d));
    ExpectNear(SpeedPoint(kDial, 100, 125), QPointF(100, 0));
    ExpectNear(SpeedPoint(kDial, 100, 250), QPointF(100 + d, 100 + d));
    EXPECT_EQ(SpeedTickReach(200), 0.8);
    EXPECT_EQ(SpeedTickReach(150), 0.75);
    EXPECT_EQ(SpeedTickReach(40), 0.7);

    EXPECT_DOUBLE_EQ(Kmh(10), 36.0);
    EXPECT_EQ(SpeedLabel(u"SoG", Kmh(10)), u"SoG = 36.0 km/h");
    // The needle stops at 275 km/h; the text keeps the reading and turns red beyond 250.
    EXPECT_EQ(ClampedKmh(400), 275);
    EXPECT_FALSE(SpeedWarning(250));
    EXPECT_TRUE(SpeedWarning(250.1));
    EXPECT_EQ(SpeedLabel(u"SoG", 400), u"SoG = 400.0 km/h");

    // A hand's base lies across its direction at the centre.
    const QPolygonF hand = HandTriangle(QPointF(0, 0), QPointF(0, -10), 2);
    ASSERT_EQ(hand.size(), 4);
    ExpectNear(hand[1], QPointF(2, 0));
    ExpectNear(hand[2], QPointF(-2, 0));
}

TEST(InstrumentGeometry, AbsurdReadingsAreNoReadingAndTheAltimeterScaleIsBounded) {
    EXPECT_EQ(AltimeterScale(900), 100);
    EXPECT_EQ(AltimeterScale(1000), 100);
    EXPECT_EQ(AltimeterScale(1001), 1000);
    EXPECT_EQ(AltimeterScale(25000), 10000);
    EXPECT_EQ(AltimeterScale(-50), 100);
    EXPECT_EQ(AltimeterScaleText(1000), u"x1000 ");
    // Were an absurd altitude ever to reach the scale, the loop still ends.
    EXPECT_EQ(AltimeterScale(1e300), 1e15);
    EXPECT_TRUE(std::isnan(Reading(1e300, kAltitudeLimit)));
    EXPECT_TRUE(std::isnan(Reading(INFINITY, kAltitudeLimit)));
    EXPECT_TRUE(std::isnan(Reading(-1e9, kAltitudeLimit)));
    EXPECT_TRUE(std::isnan(Reading(1e6, kSpeedLimit)));
    EXPECT_EQ(Reading(-420, kAltitudeLimit), -420);

    // 1500 m on a scale of 1000: the short hand at numeral 1.5, the long hand half round.
    EXPECT_DOUBLE_EQ(ShortHandAngle(1500, 1000), 2 * kPi * 0.15);
    EXPECT_DOUBLE_EQ(LongHandAngle(1500, 1000), 2 * kPi * 1.5);
    ExpectNear(ClockPoint(kDial, 50, kPi / 2), QPointF(150, 100));
}

TEST(InstrumentGeometry, TheCompassTurnsSoThatTheCourseIsUp) {
    const QPoint c(100, 100);
    const std::array<QPoint, 4> north = CompassLetterPoints(c, 80, 0);
    EXPECT_EQ(north[0], QPoint(100, 20));   // N
    EXPECT_EQ(north[1], QPoint(180, 100));  // E
    EXPECT_EQ(north[2], QPoint(100, 180));  // S
    EXPECT_EQ(north[3], QPoint(20, 100));   // W
    const std::array<QPoint, 4> east = CompassLetterPoints(c, 80, kPi / 2);
    EXPECT_EQ(east[0], QPoint(20, 100));
    EXPECT_EQ(east[1], QPoint(100, 20));
    EXPECT_EQ(east[2], QPoint(180, 100));
    EXPECT_EQ(east[3], QPoint(100, 180));

    // The main star's long points lie on the course's axis.
    const CompassStar star = CompassStarOf(QPointF(100, 100), 0, 60, 15);
    ExpectNear(star.light[0][0], QPointF(100, 160));
    ExpectNear(star.light[0][3], QPointF(100, 40));
    ExpectNear(star.light[1][0], QPointF(160, 100));

    EXPECT_EQ(DialOf(QSize(300, 200)).centre, QPoint(150, 100));
    EXPECT_EQ(DialOf(QSize(300, 200)).radius, 90);
    EXPECT_EQ(DialOf(QSize(60, 60)).radius, 22);
}

TEST(InstrumentGeometry, TheWatchHands) {
    // 15:45:30.7 on some day.
    const WatchHands hands = WatchHandsAt(19000 * 86400.0 + 15 * 3600 + 45 * 60 + 30.7);
    EXPECT_NEAR(hands.hour, 2 * kPi * (3 + (45 + 30.7 / 60) / 60) / 12, 1e-6);
    EXPECT_NEAR(hands.minute, 2 * kPi * (45 + 30.7 / 60) / 60, 1e-6);
    EXPECT_NEAR(hands.second, 2 * kPi * 30 / 60, 1e-9);
}

TEST(InstrumentGeometry, TheWorldMapProjectionAndAreas) {
    const QRect plot(10, 20, 360, 180);
    EXPECT_EQ(WorldPoint(plot, 0, 0), QPoint(190, 110));
    EXPECT_EQ(WorldPoint(plot, -10800, 5400), QPoint(10, 20));
    EXPECT_EQ(WorldPoint(plot, 10800, -5400), QPoint(370, 200));
    // Zürich, 8.5° E 47.4° N, and Sydney, 151.2° E 33.9° S; offsets truncate toward the centre.
    EXPECT_EQ(WorldPoint(plot, 8.5 * 60, 47.4 * 60), QPoint(198, 63));
    EXPECT_EQ(WorldPoint(plot, 151.2 * 60, -33.9 * 60), QPoint(341, 143));
    EXPECT_EQ(WorldPoint(plot, -59, 59), QPoint(190, 110));

    EXPECT_EQ(WorldMeridians(plot), (std::vector<int>{190, 145, 235, 100, 280, 55, 325}));
    EXPECT_EQ(WorldParallels(plot), (std::vector<int>{110, 65, 155}));

    const WorldAreas areas = WorldAreasOf(QRect(0, 0, 200, 100), 10);
    EXPECT_EQ(areas.text, QRect(5, 75, 190, 20));
    EXPECT_EQ(areas.plot, QRect(5, 5, 190, 65));
    EXPECT_EQ(WorldAreasOf(QRect(0, 0, 200, 30), 10).plot.height(), 0);

    // The outline: 164 polylines whose points are all on the map.
    size_t total = 0;
    for (const uint8_t count : kCoastlinePointCounts) total += count;
    EXPECT_EQ(total, kCoastlinePointTotal);
    for (size_t i = 0; i < kCoastlinePointTotal; ++i) {
        ASSERT_LE(std::abs(kCoastlinePoints[i][0]), 10800) << i;
        ASSERT_LE(std::abs(kCoastlinePoints[i][1]), 5400) << i;
    }
}
