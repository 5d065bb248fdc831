#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/core/database/database_catalogue.h"
#include "shared/epoch_history.h"
#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

namespace {

constexpr double kPi = 3.1415926535898;

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { BuildDatabaseCatalogue(database, history); }

    CStorageValue& Value(uint16_t id) {
        auto* value = database.FindAs<CStorageValue>(id);
        EXPECT_NE(value, nullptr) << std::hex << id;
        return *value;
    }
    const CRuntimeClass* ClassOf(uint16_t id) { return database.Lookup(id)->GetRuntimeClass(); }
    std::u16string Formatted(uint16_t id, double v) {
        Value(id).SetValue(v);
        return Value(id).FormatCurrent();
    }

    CEpochHistory history{10};
    CStorageDatabase database;
};

TEST_F(CatalogueTest, EntriesComeInTheListedOrderThenSlotBySlot) {
    const std::vector<uint16_t> common = {
        0x2001, 0x2011, 0x2021, 0x2031, 0x2041, 0x2051, 0x3001, 0x3002, 0x3003, 0x3004, 0x3011, 0x3012,
        0x3013, 0x3020, 0x3022, 0x3021, 0x4001, 0x4002, 0x4003, 0x4011, 0x4012, 0x4013, 0x4022, 0x4021,
        0x4023, 0x4031, 0x5001, 0x5002, 0x5003, 0x5006, 0x5007, 0x5004, 0x5005, 0x6001, 0x6002, 0x6003,
        0x6011, 0x6012, 0x7002, 0x7001, 0x7003, 0xC004, 0xC003, 0xC006, 0xC002, 0xC001, 0xC005,
        // the dead-reckoning filter's values
        0x8000, 0x8001, 0x8002, 0x8010, 0x8011, 0x8012, 0x8013, 0x8014, 0x8015};
    const std::vector<int> satelliteItems = {1, 2, 3, 4, 5, 6, 8};
    const size_t perSlot = satelliteItems.size();
    const auto& entries = database.Entries();
    ASSERT_EQ(entries.size(), common.size() + kSatelliteSlots * perSlot);
    for (size_t i = 0; i < common.size(); ++i) EXPECT_EQ(entries[i].first, common[i]) << i;
    for (size_t slot = 0; slot < kSatelliteSlots; ++slot)
        for (size_t k = 0; k < perSlot; ++k)
            EXPECT_EQ(entries[common.size() + slot * perSlot + k].first, 0xD000 + 16 * slot + satelliteItems[k]);
    for (const auto& [id, entry] : entries) EXPECT_EQ(entry->GroupMask(), 1u) << std::hex << id;
}

TEST_F(CatalogueTest, EachEntryHasItsClass) {
    EXPECT_EQ(ClassOf(0x2001), RUNTIME_CLASS(CStorageValueStatisticsTimeUTC));
    EXPECT_EQ(ClassOf(0x2011), RUNTIME_CLASS(CStorageValueStatisticsTimeGPS));
    EXPECT_EQ(ClassOf(0x2021), RUNTIME_CLASS(CStorageValueStatisticsTTAG));
    EXPECT_EQ(ClassOf(0x3001), RUNTIME_CLASS(CStorageValueStatisticsAngle));
    EXPECT_EQ(ClassOf(0x3002), RUNTIME_CLASS(CStorageValueStatisticsAngle));
    EXPECT_EQ(ClassOf(0x3003), RUNTIME_CLASS(CStorageValueStatistics));
    EXPECT_EQ(ClassOf(0x4023), RUNTIME_CLASS(CStorageValueStatisticsAngle360));
    EXPECT_EQ(ClassOf(0x7001), RUNTIME_CLASS(CStorageValueBitmask));
    EXPECT_EQ(ClassOf(0xC002), RUNTIME_CLASS(CStorageSVList));
    EXPECT_EQ(ClassOf(0xC004), RUNTIME_CLASS(CStorageSVList));
    EXPECT_EQ(ClassOf(0xC005), RUNTIME_CLASS(CStorageValueStatistics));
    const std::vector<const CRuntimeClass*> satellite = {
        RUNTIME_CLASS(CStorageValueBitmask),         RUNTIME_CLASS(CStorageValueBitmask),
        RUNTIME_CLASS(CStorageValueStatisticsAngle), RUNTIME_CLASS(CStorageValueStatisticsAngle360),
        RUNTIME_CLASS(CStorageValueStatistics),      RUNTIME_CLASS(CStorageValue)};
    for (int slot : {0, 31, 32, 51})
        for (int item = 1; item <= 6; ++item) EXPECT_EQ(ClassOf(SatelliteItemId(slot, item)), satellite[item - 1]);
}

TEST_F(CatalogueTest, NamesUnitsAndFormatsShowInTheValues) {
    EXPECT_EQ(Value(0x3001).GetName(), u"Lat");
    EXPECT_EQ(Value(0x3001).GetDescription(), u"Position LTP Latitude");
    EXPECT_EQ(Value(0x3001).GetUnit(), u"°");
    EXPECT_EQ(Formatted(0x3001, kPi / 4), u"45.000000");
    EXPECT_EQ(Value(0x3004).GetDescription(), u"Position LTP Altitude (above mean sea level)");
    EXPECT_EQ(Formatted(0x3004, 12.345), u"12.35");
    EXPECT_EQ(Value(0x2021).GetUnit(), u"s");
    EXPECT_EQ(Formatted(0x2021, 1.5), u"1.500");
    EXPECT_EQ(Formatted(0x2031, 1.5), u"1.500000");
    EXPECT_EQ(Value(0x5005).GetUnit(), u"");
    EXPECT_EQ(Formatted(0x5005, 1.25), u"1.2");
    EXPECT_EQ(Value(0x6003).GetUnit(), u"ppm");
    EXPECT_EQ(Formatted(0x4023, -kPi / 2), u"270.00");
    EXPECT_EQ(Formatted(0x7001, 4), u"3D");
    EXPECT_EQ(Formatted(0x7001, 8), u"TIME");
    EXPECT_EQ(Formatted(0x7002, 1), u"Yes");
    EXPECT_EQ(Value(0xC005).GetUnit(), u"dBHz");
    // Times keep their own unit and format.
    EXPECT_EQ(Value(0x2011).GetUnit(), u"wno:tow");
    EXPECT_EQ(Formatted(0x2011, 1000000000), u"1653:265600.000");
    EXPECT_EQ(Value(0x2001).GetUnit(), u"time date");
    EXPECT_EQ(Formatted(0x2001, 1136073600.5), u"00:00:00.500 01/01/2006");
    EXPECT_EQ(Value(0x2001).Format(NAN), u"");
    EXPECT_EQ(database.Lookup(0xC004)->GetName(), u"Tracked SVs");
    EXPECT_EQ(database.Lookup(0xC002)->GetDescription(), u"Used SV List");
}

TEST_F(CatalogueTest, SatelliteEntriesNameTheirSatellite) {
    EXPECT_EQ(Value(SatelliteItemId(0, 1)).GetName(), u"SV1 Mode");
    EXPECT_EQ(Value(SatelliteItemId(0, 1)).GetDescription(), u"SV1 Mode Status");
    EXPECT_EQ(Formatted(SatelliteItemId(0, 1), 2), u"Ready");
    EXPECT_EQ(Value(SatelliteItemId(31, 2)).GetName(), u"SV32 Used");
    EXPECT_EQ(Value(SatelliteItemId(32, 3)).GetDescription(), u"SV120 Elevation");
    EXPECT_EQ(Formatted(SatelliteItemId(32, 3), kPi / 6), u"30.0");
    EXPECT_EQ(Value(SatelliteItemId(50, 4)).GetName(), u"SV138 Az");
    EXPECT_EQ(Formatted(SatelliteItemId(50, 4), -kPi / 2), u"270.0");
    EXPECT_EQ(Value(SatelliteItemId(51, 5)).GetUnit(), u"dBHz");
    EXPECT_EQ(Value(SatelliteItemId(51, 6)).GetDescription(), u"SV209 Channel");
    EXPECT_EQ(Formatted(SatelliteItemId(51, 6), 7), u"7");
}

TEST_F(CatalogueTest, RangesAreInTheStoredUnit) {
    struct Expected {
        uint16_t id;
        double low, high, step;
    };
    for (const Expected& e : std::vector<Expected>{{0x2001, 0, 2147483647, 0.001},
                                                   {0x3001, -kPi / 2, kPi / 2, 1e-7},
                                                   {0x4023, -kPi, kPi, 0.001},
                                                   {0x3004, -10000, 1000000, 0.5},
                                                   {SatelliteItemId(7, 3), -kPi / 2, kPi / 2, 0.01}}) {
        double low, high, step;
        Value(e.id).GetRange(low, high, step);
        EXPECT_EQ(low, e.low) << std::hex << e.id;
        EXPECT_EQ(high, e.high) << std::hex << e.id;
        EXPECT_EQ(step, e.step) << std::hex << e.id;
    }
}

// Every value must own its place in a snapshot: a shared or missing slot loses data.
TEST_F(CatalogueTest, EveryValueKeepsItsOwnPlaceInTheSnapshot) {
    double next = 1;
    for (const auto& [id, entry] : database.Entries())
        if (auto* value = database.FindAs<CStorageValue>(id)) value->SetValue(next++);
    auto* used = database.FindAs<CStorageSVList>(0xC002);
    auto* tracked = database.FindAs<CStorageSVList>(0xC004);
    used->OrMask(0x5, 0x80000, true, 0);
    tracked->OrMask(0x7, 0, true, 0);

    auto snapshot = history.NewSnapshot(kAllSatellitesMask);
    database.SaveSnapshot(history, *snapshot);

    next = 1;
    for (const auto& [id, entry] : database.Entries()) {
        if (auto* value = database.FindAs<CStorageValue>(id)) {
            EXPECT_EQ(value->GetSnapshotValue(history, *snapshot), next++) << std::hex << id;
        }
    }
    EXPECT_EQ(used->GetSnapshotMask(history, *snapshot), 0x8000000000005u);
    // The tracked list is the snapshot's own mask and takes no place of its own.
    EXPECT_EQ(tracked->GetSnapshotMask(history, *snapshot), 0u);
}

}  // namespace
