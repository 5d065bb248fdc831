// The simulator's truth: sky, channels, starts, trajectory and geometry, checked for the
// properties a receiver's output has.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "tests/tools/sim/sim_test_start.h"
#include "tools/sim/sim_constellation.h"
#include "tools/sim/sim_dop.h"
#include "tools/sim/sim_geodesy.h"
#include "tools/sim/sim_truth.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;

SimTruthConfig Config(SimMotion motion, SimStart start = SimStart::Hot) {
    SimTruthConfig config;
    config.startGpsMs = TestStartGpsMs();
    config.trajectory.motion = motion;
    config.start = start;
    return config;
}

// Metres between two epochs' positions, on the local plane.
double Distance(const SimEpoch& a, const SimEpoch& b) {
    const double north = (b.latitude - a.latitude) * kDegree * 6367000;
    const double east = (b.longitude - a.longitude) * kDegree * 6388000 * std::cos(a.latitude * kDegree);
    return std::hypot(north, east);
}

TEST(SimConstellation, EightToFourteenSatellitesAboveTheMaskEverywhereAllDay) {
    const CSimConstellation constellation;
    const double places[][2] = {{47.4, 8.5}, {0, 0}, {-33.9, 151.2}, {61.2, -149.9}, {35, -100}, {-54.8, -68.3}};
    for (const auto& place : places) {
        for (double t = 0; t < 86400; t += 1111) {
            const auto sky = constellation.Visible(TestStartGpsMs() / 1000.0 + t, place[0], place[1], 100);
            ASSERT_GE(sky.size(), 8u) << place[0] << " " << place[1] << " at " << t;
            ASSERT_LE(sky.size(), 14u);
            int sbas = 0;
            for (const auto& s : sky) {
                EXPECT_GE(s.elevation, CSimConstellation::kElevationMask);
                EXPECT_LE(s.elevation, 90.0);
                EXPECT_GE(s.azimuth, 0.0);
                EXPECT_LT(s.azimuth, 360.0);
                sbas += s.svid >= 120;
            }
            EXPECT_LE(sbas, CSimConstellation::kMaxSbas);
        }
    }
}

TEST(SimConstellation, SatellitesCrossTheSkySlowly) {
    const CSimConstellation constellation;
    const double t0 = TestStartGpsMs() / 1000.0;
    const auto before = constellation.Visible(t0, 47.4, 8.5, 400);
    const auto after = constellation.Visible(t0 + 10, 47.4, 8.5, 400);
    for (const auto& a : before) {
        auto b = std::find_if(after.begin(), after.end(), [&](auto& s) { return s.svid == a.svid; });
        if (b == after.end()) continue;
        // Half an orbit takes six hours: a tenth of a degree in ten seconds, geostationary ones not at all.
        EXPECT_LT(std::abs(b->elevation - a.elevation), 0.2);
        EXPECT_LT(std::abs(std::remainder(b->azimuth - a.azimuth, 360.0)), 0.5);
        if (a.svid >= 120) {
            EXPECT_NEAR(b->elevation, a.elevation, 1e-9);
        }
    }
}

TEST(SimTruth, EpochsFallOnWholePeriodsWithWeekTimeOfWeekAndLeapSeconds) {
    CSimTruth truth(Config(SimMotion::Static));
    const SimEpoch& first = truth.Advance(200);
    EXPECT_EQ(first.gpsMs, TestStartGpsMs());
    EXPECT_EQ(first.leapSeconds, 18);
    EXPECT_EQ(first.UtcMs(), static_cast<int64_t>(TestStartUtc()) * 1000);
    EXPECT_EQ(first.Week(), 2303);  // 2024-02-25 to 2024-03-02
    EXPECT_EQ(first.TimeOfWeekMs(), (5 * 86400 + 12 * 3600 + 18) * 1000u);
    EXPECT_EQ(truth.Advance(200).gpsMs, TestStartGpsMs() + 200);
    // A new period continues on its own grid.
    EXPECT_EQ(truth.Advance(1000).gpsMs, TestStartGpsMs() + 1000);
}

struct StartCase {
    SimStart kind;
    double fixNotBefore, fixBy;  // seconds after the start
};

class SimStartTest : public ::testing::TestWithParam<StartCase> {};

TEST_P(SimStartTest, FixReturnsAsFastAsTheStartAllowsAndTtffTellsWhen) {
    CSimTruth truth(Config(SimMotion::Drive));
    for (int i = 0; i < 60; ++i) truth.Advance(1000);
    ASSERT_TRUE(truth.Current().HasFix());
    truth.Restart(GetParam().kind, false);
    const int64_t restart = truth.Current().gpsMs;
    int64_t firstFix = -1;
    for (int i = 0; i < 80 && firstFix < 0; ++i) {
        const SimEpoch& e = truth.Advance(1000);
        if (e.HasFix())
            firstFix = e.gpsMs;
        else
            EXPECT_EQ(e.ttffMs, 0u);
    }
    ASSERT_GE(firstFix, 0);
    const double seconds = (firstFix - restart) / 1000.0;
    EXPECT_GE(seconds, GetParam().fixNotBefore);
    EXPECT_LE(seconds, GetParam().fixBy);
    EXPECT_EQ(truth.Current().ttffMs, firstFix - restart);
    // Running on, the time to first fix stays that of this start.
    EXPECT_EQ(truth.Advance(1000).ttffMs, firstFix - restart);
}

INSTANTIATE_TEST_SUITE_P(Starts, SimStartTest,
                         ::testing::Values(StartCase{SimStart::Hot, 0.5, 3}, StartCase{SimStart::Warm, 25, 40},
                                           StartCase{SimStart::Cold, 30, 50}));

TEST(SimTruth, ColdStartKnowsNeitherTimeNorOrbitsAtFirst) {
    CSimTruth truth(Config(SimMotion::Static, SimStart::Cold));
    const SimEpoch& e = truth.Advance(1000);
    EXPECT_FALSE(e.timeValid);
    for (const auto& s : e.satellites) EXPECT_FALSE(s.PositionKnown());
    for (int i = 0; i < 12; ++i) truth.Advance(1000);
    EXPECT_TRUE(truth.Current().timeValid);
}

TEST(SimTruth, PowerCycleRestartsTheTimeSinceStartUp) {
    CSimTruth truth(Config(SimMotion::Static));
    for (int i = 0; i < 10; ++i) truth.Advance(1000);
    EXPECT_EQ(truth.Current().msss, 9000u);
    truth.Restart(SimStart::Hot, false);
    EXPECT_EQ(truth.Advance(1000).msss, 10000u);
    truth.Restart(SimStart::Hot, true);
    EXPECT_EQ(truth.Advance(1000).msss, 1000u);
}

TEST(SimTruth, UsedSatellitesAreTrackedWithOrbitsAboveTheUseMaskAndNeverSbas) {
    CSimTruth truth(Config(SimMotion::Drive));
    int sawOnlyTracked = 0, sawSbas = 0;
    for (int i = 0; i < 600; ++i) {
        const SimEpoch& e = truth.Advance(1000);
        std::set<int> channels, svids;
        for (const auto& s : e.satellites) {
            EXPECT_TRUE(channels.insert(s.channel).second);
            EXPECT_TRUE(svids.insert(s.svid).second);
            if (s.used) {
                EXPECT_TRUE(s.tracked && s.ephemeris && !s.IsSbas());
                EXPECT_GE(s.elevation, CSimTracking::kUseMask);
            }
            EXPECT_EQ(s.tracked, s.cn0 > 0);
            if (s.tracked) {
                EXPECT_TRUE(s.cn0 >= 15 && s.cn0 <= 52) << s.cn0;
            }
            sawOnlyTracked += s.tracked && !s.used;
            sawSbas += s.IsSbas() && s.tracked;
        }
        EXPECT_LE(e.UsedCount(), 12);
    }
    EXPECT_GT(sawOnlyTracked, 0);
    EXPECT_GT(sawSbas, 0);
}

TEST(SimTruth, DriveStaysNearTheReferenceAndMovesAsItsVelocitySays) {
    SimTruthConfig config = Config(SimMotion::Drive);
    config.trajectory.radius = 1000;
    CSimTruth truth(config);
    SimEpoch previous = truth.Advance(1000);
    SimEpoch reference = previous;
    double fastest = 0;
    int standing = 0;
    for (int i = 0; i < 1800; ++i) {
        const SimEpoch& e = truth.Advance(1000);
        const double expected = (previous.GroundSpeed() + e.GroundSpeed()) / 2;
        ASSERT_NEAR(Distance(previous, e), expected, 0.5) << "at " << i;
        EXPECT_LT(Distance(reference, e), config.trajectory.radius + 600);
        EXPECT_LE(e.GroundSpeed(), config.trajectory.maxSpeed + 1e-9);
        EXPECT_GE(e.heading, 0.0);
        EXPECT_LT(e.heading, 360.0);
        fastest = std::max(fastest, e.GroundSpeed());
        standing += e.GroundSpeed() < 0.1;
        previous = e;
    }
    EXPECT_GT(fastest, config.trajectory.maxSpeed * 0.7);
    EXPECT_GT(standing, 0);
}

TEST(SimTruth, StaticReceiverWandersWithinAFewMetresAndKnowsItsHeights) {
    CSimTruth truth(Config(SimMotion::Static));
    const SimEpoch reference = truth.Advance(1000);
    for (int i = 0; i < 600; ++i) {
        const SimEpoch& e = truth.Advance(1000);
        EXPECT_LT(Distance(reference, e), 3.0);
        EXPECT_LT(e.GroundSpeed(), 0.2);
        // EGM96 puts the geoid 47.34 m above the ellipsoid at Zurich (15-minute grid); the
        // simulator's 15-degree grid says 45 m.
        EXPECT_NEAR(e.height - e.heightMsl, 47.34, 3);
    }
}

SimSatellite Used(double azimuth, double elevation) {
    SimSatellite s{};
    s.azimuth = azimuth;
    s.elevation = elevation;
    s.used = true;
    return s;
}

TEST(SimGeodesy, UtmGridOfKnownPoints) {
    // On the equator three degrees west of zone 31's central meridian.
    const SimUtm origin = SimUtmFromGeodetic(0, 0);
    EXPECT_EQ(origin.zone, 31);
    EXPECT_NEAR(origin.easting, 166021.44, 0.01);
    EXPECT_NEAR(origin.northing, 0, 1e-6);
    // On a central meridian the northing is the scaled meridian arc, 4984944.378 m to 45 degrees.
    const SimUtm meridian = SimUtmFromGeodetic(45, 9);
    EXPECT_EQ(meridian.zone, 32);
    EXPECT_NEAR(meridian.easting, 500000, 1e-6);
    EXPECT_NEAR(meridian.northing, 0.9996 * 4984944.378, 0.01);
    // South of the equator northings count from 10000 km, mirrored.
    const SimUtm south = SimUtmFromGeodetic(-45, 7);
    const SimUtm north = SimUtmFromGeodetic(45, 7);
    EXPECT_TRUE(south.south);
    EXPECT_NEAR(south.northing, 10000000 - north.northing, 1e-6);
    EXPECT_NEAR(south.easting, north.easting, 1e-6);
}

TEST(SimDop, DilutionsAddUpAndFollowTheGeometry) {
    const std::vector<SimSatellite> four = {Used(0, 90), Used(0, 10), Used(120, 10), Used(240, 10)};
    const SimDop d = ComputeDop(four);
    EXPECT_NEAR(d.position * d.position, d.horizontal * d.horizontal + d.vertical * d.vertical, 1e-9);
    EXPECT_NEAR(d.horizontal * d.horizontal, d.northing * d.northing + d.easting * d.easting, 1e-9);
    EXPECT_NEAR(d.geometric * d.geometric, d.position * d.position + d.time * d.time, 1e-9);
    // Symmetric around the zenith: as good to the north as to the east.
    EXPECT_NEAR(d.northing, d.easting, 1e-9);
    std::vector<SimSatellite> five = four;
    five.push_back(Used(60, 45));
    EXPECT_LT(ComputeDop(five).position, d.position);
}

TEST(SimDop, FewerThanFourUsedOrOneDirectionOnlyGiveNoSolution) {
    EXPECT_EQ(ComputeDop({Used(0, 90), Used(0, 10), Used(120, 10)}).position, kSimNoDop);
    EXPECT_EQ(ComputeDop({Used(0, 45), Used(0, 45), Used(0, 45), Used(0, 45)}).horizontal, kSimNoDop);
    SimSatellite unused = Used(240, 10);
    unused.used = false;
    EXPECT_EQ(ComputeDop({Used(0, 90), Used(0, 10), Used(120, 10), unused}).geometric, kSimNoDop);
}

}  // namespace
