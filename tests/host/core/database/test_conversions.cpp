#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "host/core/database/conversions.h"
#include "host/core/database/database_catalogue.h"
#include "platform/profile.h"
#include "shared/epoch_history.h"
#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

namespace {

constexpr double kPi = 3.1415926535898;
constexpr double kDegree = kPi / 180;
constexpr double kGpsOrigin = 315964800;
constexpr double kSemiMinorAxis = 6378137.0 * (1 - 1 / 298.257223563);
const std::u16string kCompleter = u"Database\\Completer";

// The catalogue and the conversions on a database that remembers its switches in a profile.
class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() { Build(); }

    void Build() {
        database = std::make_unique<CStorageDatabase>(&profile);
        BuildDatabaseCatalogue(*database, history);
        AddConversions(*database);
    }

    CStorageValue* Entry(uint16_t id) { return database->FindAs<CStorageValue>(id); }
    void Set(uint16_t id, double v) { Entry(id)->SetValue(v); }
    double Get(uint16_t id) { return Entry(id)->GetValue(); }
    bool Holds(uint16_t id) { return database->Lookup(id)->IsValid(); }
    bool Run() { return database->RunConversions(); }
    void CloseEpoch() {
        auto snapshot = history.NewSnapshot(kAllSatellitesMask);
        database->SaveSnapshot(history, *snapshot);
        history.Push(std::move(snapshot));
    }

    platform::CMemoryProfile profile;
    CEpochHistory history{10};
    std::unique_ptr<CStorageDatabase> database;
};

TEST_F(ConversionTest, ThirteenConversionsRunInTheListedOrder) {
    std::vector<std::u16string> names;
    for (const auto& conversion : database->Conversions()) names.push_back(conversion->name);
    EXPECT_EQ(names, (std::vector<std::u16string>{
                         u"Time UTC to GPS", u"Time GPS to UTC", u"Position ECEF to LLH", u"Position Altitude",
                         u"Position LLH to ECEF", u"Velocity ECEF to LTP", u"Velocity COG/SOG to LTP",
                         u"Velocity LTP to ECEF", u"Velocity LTP to COG/SOG/Speed", u"COG to COG (Mag)",
                         u"Satellite CNO", u"Satellite List", u"Satellite Tracked"}));
    EXPECT_FALSE(Run());
}

// ---- Time

TEST_F(ConversionTest, UtcToGpsAppliesALeapStepOnlyAfterItsDate) {
    Set(0x2001, 1136073600);  // 2006-01-01 00:00:00
    EXPECT_TRUE(Run());
    EXPECT_EQ(Get(0x2011), 1136073600 + 13 - kGpsOrigin);
    CloseEpoch();
    Set(0x2001, 1136073601);
    Run();
    EXPECT_EQ(Get(0x2011), 1136073601 + 14 - kGpsOrigin);
}

TEST_F(ConversionTest, UtcBeforeTheGpsOriginGivesNoGpsTime) {
    Set(0x2001, 43200);  // a time of day without a date
    EXPECT_FALSE(Run());
    EXPECT_FALSE(Holds(0x2011));
}

TEST_F(ConversionTest, ValuesSetByADecoderAreNeverOverwritten) {
    Set(0x2001, 1136073600);
    Set(0x2011, 5);
    Set(0x3011, 6378137);
    Set(0x3012, 0);
    Set(0x3013, 0);
    Set(0x3002, 1.0);
    Run();
    EXPECT_EQ(Get(0x2011), 5);
    EXPECT_EQ(Get(0x2001), 1136073600);
    EXPECT_EQ(Get(0x3002), 1.0);
    EXPECT_NEAR(Get(0x3001), 0, 1e-12);
}

TEST_F(ConversionTest, GpsToUtcCarriesTheDateAndFollowsEachEpoch) {
    Set(0x2011, 1000000000);
    Run();
    EXPECT_EQ(Get(0x2001), 1000000000 + kGpsOrigin - 15);  // September 2011
    EXPECT_TRUE(database->FindAs<CStorageValueStatisticsTimeUTC>(0x2001)->HasDate());
    CloseEpoch();
    // The old UTC is still readable but no longer blocks the new one, and the old GPS time is no input.
    EXPECT_FALSE(Run());
    Set(0x2011, 1000000001);
    Run();
    EXPECT_EQ(Get(0x2001), 1000000001 + kGpsOrigin - 15);
}

// ---- Position

TEST_F(ConversionTest, PositionRoundTripsBetweenEcefAndLatitudeLongitudeHeight) {
    Set(0x3011, 4000000);
    Set(0x3012, 3000000);
    Set(0x3013, 3500000);
    EXPECT_TRUE(Run());
    const double latitude = Get(0x3001), longitude = Get(0x3002), height = Get(0x3003);
    EXPECT_NEAR(longitude, std::atan2(3, 4), 1e-12);
    CloseEpoch();

    Set(0x3001, latitude);
    Set(0x3002, longitude);
    Set(0x3003, height);
    Run();
    EXPECT_NEAR(Get(0x3011), 4000000, 1e-3);
    EXPECT_NEAR(Get(0x3012), 3000000, 1e-3);
    EXPECT_NEAR(Get(0x3013), 3500000, 1e-3);
}

TEST_F(ConversionTest, APointOnTheAxisLiesAtAPole) {
    Set(0x3011, 0);
    Set(0x3012, 0);
    Set(0x3013, -(kSemiMinorAxis + 250));
    Run();
    EXPECT_DOUBLE_EQ(Get(0x3001), -kPi / 2);
    EXPECT_NEAR(Get(0x3003), 250, 1e-6);
}

TEST_F(ConversionTest, XAndYAloneGiveOnlyTheLongitude) {
    Set(0x3011, 0);
    Set(0x3012, 6378137);
    Run();
    EXPECT_NEAR(Get(0x3002), kPi / 2, 1e-12);
    EXPECT_FALSE(Holds(0x3001));
    EXPECT_FALSE(Holds(0x3003));
}

// EGM96 puts the geoid 47.81 m above the ellipsoid at 47.5 N 8.25 E (15-minute grid); the host's
// 10-degree grid keeps within 6 m of EGM96 at twelve places in thirteen.
TEST_F(ConversionTest, AltitudesFollowEachOtherThroughTheGeoid) {
    constexpr double kEgm96 = 47.81;
    Set(0x3001, 47.5 * kDegree);
    Set(0x3002, 8.25 * kDegree);
    Set(0x3003, 500);
    Run();
    EXPECT_NEAR(Get(0x3004), 500 - kEgm96, 6);
    const double separation = 500 - Get(0x3004);
    CloseEpoch();

    Set(0x3001, 47.5 * kDegree);
    Set(0x3002, 8.25 * kDegree);
    Set(0x3004, 400);
    Run();
    EXPECT_NEAR(Get(0x3003), 400 + separation, 1e-9);
    // The height just derived feeds the ECEF position that follows.
    EXPECT_TRUE(Holds(0x3011));
}

TEST_F(ConversionTest, BothAltitudesFromADecoderLeaveAltitudeInert) {
    Set(0x3001, 0.8);
    Set(0x3002, 0.1);
    Set(0x3003, 100);
    Set(0x3004, 60);
    Run();
    EXPECT_EQ(Get(0x3003), 100);
    EXPECT_EQ(Get(0x3004), 60);
}

// ---- Velocity

TEST_F(ConversionTest, EcefVelocityTurnsIntoNorthEastDown) {
    Set(0x3001, 0);
    Set(0x3002, 0);
    Set(0x4001, 1);  // up at latitude 0, longitude 0
    Set(0x4002, 2);  // east
    Set(0x4003, 3);  // north
    Run();
    EXPECT_NEAR(Get(0x4011), 3, 1e-12);
    EXPECT_NEAR(Get(0x4012), 2, 1e-12);
    EXPECT_NEAR(Get(0x4013), -1, 1e-12);
    EXPECT_NEAR(Get(0x4022), std::sqrt(13.0), 1e-12);
    EXPECT_NEAR(Get(0x4021), std::sqrt(14.0), 1e-12);
}

TEST_F(ConversionTest, VelocityRoundTripsBetweenTheFrames) {
    const double latitude = -33 * kDegree, longitude = 151 * kDegree;
    Set(0x3001, latitude);
    Set(0x3002, longitude);
    Set(0x4011, 12.5);
    Set(0x4012, -3.25);
    Set(0x4013, 0.75);
    Run();
    const double vx = Get(0x4001), vy = Get(0x4002), vz = Get(0x4003);
    CloseEpoch();

    Set(0x3001, latitude);
    Set(0x3002, longitude);
    Set(0x4001, vx);
    Set(0x4002, vy);
    Set(0x4003, vz);
    Run();
    EXPECT_NEAR(Get(0x4011), 12.5, 1e-9);
    EXPECT_NEAR(Get(0x4012), -3.25, 1e-9);
    EXPECT_NEAR(Get(0x4013), 0.75, 1e-9);
}

TEST_F(ConversionTest, CourseAndSpeedGiveNorthAndEast) {
    Set(0x4023, kPi / 6);
    Set(0x4022, 10);
    Run();
    EXPECT_NEAR(Get(0x4011), 10 * std::cos(kPi / 6), 1e-12);
    EXPECT_NEAR(Get(0x4012), 5, 1e-12);
    EXPECT_FALSE(Holds(0x4021));  // no down velocity, no 3D speed
}

TEST_F(ConversionTest, ACourseNeedsOneMetrePerSecond) {
    Set(0x4011, 0.3);
    Set(0x4012, -0.4);
    Run();
    EXPECT_DOUBLE_EQ(Get(0x4022), 0.5);
    EXPECT_FALSE(Holds(0x4023));
    CloseEpoch();

    Set(0x4011, 0);
    Set(0x4012, -1.0);
    Run();
    EXPECT_DOUBLE_EQ(Get(0x4022), 1.0);
    EXPECT_DOUBLE_EQ(Get(0x4023), -std::acos(0.0));
}

TEST_F(ConversionTest, MagneticCourseIsInertWithoutItsEntries) {
    Set(0x4023, 1.0);
    Run();
    EXPECT_EQ(Get(0x4023), 1.0);
    EXPECT_EQ(database->Lookup(0x4024), nullptr);
}

TEST(MagneticCourse, TheThirdFollowsFromTheOtherTwo) {
    CEpochHistory history(1);
    CStorageDatabase database;
    BuildDatabaseCatalogue(database, history);
    database.Add(0x4024, std::make_unique<CStorageValue>(u"CoG (Mag)", u"Course over Ground (Magnetic)"));
    database.Add(0x4025, std::make_unique<CStorageValue>(u"Decl", u"Magnetic Declination"));
    AddConversions(database);
    auto value = [&](uint16_t id) { return database.FindAs<CStorageValue>(id); };

    value(0x4023)->SetValue(1.0);
    value(0x4025)->SetValue(0.25);
    database.RunConversions();
    EXPECT_DOUBLE_EQ(value(0x4024)->GetValue(), 0.75);

    database.Reset();
    value(0x4024)->SetValue(0.5);
    value(0x4025)->SetValue(0.25);
    database.RunConversions();
    EXPECT_DOUBLE_EQ(value(0x4023)->GetValue(), 0.75);

    database.Reset();
    value(0x4023)->SetValue(0.5);
    value(0x4024)->SetValue(0.75);
    database.RunConversions();
    EXPECT_DOUBLE_EQ(value(0x4025)->GetValue(), -0.25);
}

// ---- Satellites

TEST_F(ConversionTest, MeanCn0ReplacesTheDecodedValueOnceAMeasurementExists) {
    Set(0xC005, 10);
    Run();
    EXPECT_EQ(Get(0xC005), 10);
    Set(SatelliteItemId(0, 5), 40);
    Set(SatelliteItemId(51, 5), 44);
    Set(SatelliteItemId(7, 5), -1);  // no measurement
    Run();
    EXPECT_EQ(Get(0xC005), 42);
}

TEST_F(ConversionTest, AUsedListSetsEveryFlagAndTheCount) {
    Set(SatelliteItemId(3, 2), 0);  // decoded flags win over the list
    database->FindAs<CStorageSVList>(0xC002)->OrMask(0x9, 0x80000, true, 0);
    Run();
    EXPECT_EQ(Get(SatelliteItemId(0, 2)), 1);
    EXPECT_EQ(Get(SatelliteItemId(1, 2)), 0);
    EXPECT_EQ(Get(SatelliteItemId(3, 2)), 0);
    EXPECT_EQ(Get(SatelliteItemId(51, 2)), 1);
    for (int slot = 0; slot < kSatelliteSlots; ++slot) EXPECT_TRUE(Holds(SatelliteItemId(slot, 2)));
    EXPECT_EQ(Get(0xC001), 3);
}

TEST_F(ConversionTest, FlagsBuildTheTrackedList) {
    Set(SatelliteItemId(2, 1), 1);
    Set(SatelliteItemId(5, 1), 2);  // ready counts as tracked
    Set(SatelliteItemId(7, 1), 0);
    Set(SatelliteItemId(40, 1), 1);
    Set(0xC003, 9);
    Run();
    auto* tracked = database->FindAs<CStorageSVList>(0xC004);
    EXPECT_TRUE(tracked->IsValid());
    EXPECT_EQ(tracked->GetMask(), (uint64_t{1} << 2) | (uint64_t{1} << 5) | (uint64_t{1} << 40));
    EXPECT_EQ(Get(0xC003), 9);
    EXPECT_FALSE(Holds(0xC002));
}

// ---- Switches

TEST_F(ConversionTest, ADisabledConversionDoesNotRunAndIsSavedOnDestruction) {
    database.reset();  // it would save its own switches over the profile's
    profile.WriteInt(kCompleter, u"Time UTC to GPS", 0);
    Build();
    Set(0x2001, 1136073600);
    Run();
    EXPECT_FALSE(Holds(0x2011));

    database->Conversions()[1]->enabled = false;  // "Time GPS to UTC"
    database.reset();
    EXPECT_EQ(profile.GetInt(kCompleter, u"Time UTC to GPS", -1), 0);
    EXPECT_EQ(profile.GetInt(kCompleter, u"Time GPS to UTC", -1), 0);
    EXPECT_EQ(profile.GetInt(kCompleter, u"Satellite Tracked", -1), 1);
}

}  // namespace
