#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "shared/axis_ticks.h"
#include "shared/epoch_history.h"
#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

namespace {

constexpr double kPi = 3.1415926535898;

// A database with a few entries registered in a history, closing epochs as the document does.
class StorageTest : public ::testing::Test {
protected:
    template <typename T>
    T* AddValue(uint16_t id, const char16_t* name) {
        auto entry = std::make_unique<T>(name, name);
        T* raw = entry.get();
        raw->SetSnapshotSlot(history.ReserveCommonSlot());
        database.Add(id, std::move(entry));
        return raw;
    }

    void CloseEpoch(const SatelliteMask& mask = kAllSatellitesMask) {
        auto snapshot = history.NewSnapshot(mask);
        database.SaveSnapshot(history, *snapshot);
        history.Push(std::move(snapshot));
    }

    CEpochHistory history{900};
    CStorageDatabase database;
};

}  // namespace

TEST_F(StorageTest, SetValueReportsOnlyNewOrChangedValues) {
    auto* value = AddValue<CStorageValue>(1, u"v");
    EXPECT_TRUE(std::isnan(value->GetValue()));
    EXPECT_FALSE(value->SetValue(NAN));
    EXPECT_TRUE(value->SetValue(2.0));
    value->ClearChanged();
    EXPECT_FALSE(value->SetValue(2.0));
    EXPECT_TRUE(value->SetValue(3.0));
    EXPECT_FALSE(value->SetValue(NAN));
    EXPECT_EQ(value->GetValue(), 3.0);
}

TEST_F(StorageTest, AgeAndCountFollowTheEpochs) {
    auto* value = AddValue<CStorageValueStatistics>(1, u"v");
    EXPECT_EQ(value->FormatAge(), u"");
    value->SetValue(1);
    CloseEpoch();
    EXPECT_EQ(value->FormatAge(), u"1");
    CloseEpoch();  // no value in epoch 2
    EXPECT_EQ(value->Age(), 2u);
    EXPECT_EQ(value->GetValue(), 1);  // still readable after its epoch closed
    value->SetValue(3);
    EXPECT_EQ(value->FormatAge(), u"0");
    EXPECT_EQ(value->FormatCount(), u"2");
    CloseEpoch();
    EXPECT_EQ(value->Count(), 2u);
    EXPECT_EQ(value->Age(), 1u);
    // The snapshots hold the value only in the epochs that had one.
    EXPECT_EQ(value->GetSnapshotValue(history, history[0]), 1);
    EXPECT_TRUE(std::isnan(value->GetSnapshotValue(history, history[1])));
    EXPECT_EQ(value->GetSnapshotValue(history, history[2]), 3);
}

// The close and the refresh visit only the entries that reported a value or a change.
TEST_F(StorageTest, RefreshResetAndReplacementReachEveryEntryConcerned) {
    auto* first = AddValue<CStorageValue>(1, u"a");
    auto* second = AddValue<CStorageValue>(2, u"b");
    database.EndRefresh();
    EXPECT_FALSE(first->IsChanged());
    EXPECT_FALSE(second->IsChanged());
    second->SetValue(5);
    database.EndRefresh();
    EXPECT_FALSE(second->IsChanged());
    CloseEpoch();
    EXPECT_EQ(second->Count(), 1u);
    database.Reset();
    EXPECT_TRUE(first->IsChanged());
    EXPECT_EQ(second->Count(), 0u);
    second->SetValue(6);
    CloseEpoch();
    EXPECT_EQ(second->Count(), 1u);  // closed once, not once per listing
    // A replaced entry leaves no trace the close or the refresh would follow.
    database.Add(2, std::make_unique<CStorageValue>(u"b2", u"b2"));
    CloseEpoch();
    database.EndRefresh();
    EXPECT_FALSE(first->IsChanged());
}

TEST_F(StorageTest, StatisticsUsePopulationDeviation) {
    auto* value = AddValue<CStorageValueStatistics>(1, u"v");
    EXPECT_TRUE(std::isnan(value->GetDeviation()));
    value->SetValue(1);
    EXPECT_EQ(value->GetDeviation(), 0);
    CloseEpoch();
    value->SetValue(3);
    EXPECT_DOUBLE_EQ(value->GetDeviation(), 1.0);  // with the running value
    CloseEpoch();
    EXPECT_DOUBLE_EQ(value->GetDeviation(), 1.0);  // from the closed epochs alone
    EXPECT_EQ(value->GetMinimum(), 1);
    EXPECT_EQ(value->GetMaximum(), 3);
    EXPECT_EQ(value->GetAverage(), 2);
    value->SetValue(-4);
    EXPECT_EQ(value->GetMinimum(), -4);
    value->Reset();
    EXPECT_TRUE(std::isnan(value->GetAverage()));
    EXPECT_EQ(value->Age(), CStorage::kNoAge);
}

TEST_F(StorageTest, GpsTimeFormatsWeekAndTimeOfWeek) {
    auto* gps = AddValue<CStorageValueStatisticsTimeGPS>(1, u"GPS");
    EXPECT_EQ(gps->Format(1000000000.0), u"1653:265600.000");
    gps->SetFormat(u"%W/%S", u"-");
    EXPECT_EQ(gps->Format(1000000000.0), u"629/265600");
    EXPECT_EQ(gps->Format(-1), u"-");
    EXPECT_EQ(gps->Format(NAN), u"-");
}

TEST_F(StorageTest, GpsTimeCarriesTruncatedWeeksIntoThePresentEra) {
    auto* gps = AddValue<CStorageValueStatisticsTimeGPS>(1, u"GPS");
    EXPECT_FALSE(gps->SetGpsTime(604800, 2000));
    EXPECT_FALSE(gps->SetGpsTime(10, -1));
    ASSERT_TRUE(gps->SetGpsTime(100, 2300));
    EXPECT_EQ(gps->GetValue(), 2300 * 604800.0 + 100);
    // Week 252 modulo 1024 was sent in 1985 and again in 2005; today it must be 2300.
    ASSERT_TRUE(gps->SetGpsTime(100, 2300 - 2048));
    EXPECT_EQ(gps->GetValue(), 2300 * 604800.0 + 100);
}

TEST_F(StorageTest, UtcTimeFormatsDateTokens) {
    auto* utc = AddValue<CStorageValueStatisticsTimeUTC>(1, u"UTC");
    ASSERT_TRUE(utc->SetDateTime(7.25, 34, 12, 29, 2, 2024));
    EXPECT_TRUE(utc->HasDate());
    EXPECT_EQ(utc->FormatCurrent(), u"12:34:07.250 02/29/2024");
    utc->SetFormat(u"%A %d %B %y, %b %a %%", u"");
    EXPECT_EQ(utc->FormatCurrent(), u"Thursday 29 February 24, Feb Thu %");
    utc->SetFormat(u"%H:%M:%s %m/%d/%Y %B", u"");
    EXPECT_EQ(utc->Format(3723.5), u"01:02:03.500 ??/??/???? ");
    // A time no calendar holds is shown as no value.
    EXPECT_EQ(utc->Format(INFINITY), u"");
    EXPECT_EQ(utc->Format(1e300), u"");
}

TEST_F(StorageTest, UtcTimeOfDayKeepsTheKnownDateAndCrossesMidnight) {
    auto* utc = AddValue<CStorageValueStatisticsTimeUTC>(1, u"UTC");
    utc->SetTimeOfDay(5, 0, 1);
    EXPECT_EQ(utc->GetValue(), 3605);
    EXPECT_FALSE(utc->HasDate());
    utc->SetDateTime(59.5, 59, 23, 31, 12, 2023);
    utc->SetTimeOfDay(0.5, 0, 0);
    EXPECT_EQ(utc->FormatCurrent(), u"00:00:00.500 01/01/2024");
    EXPECT_TRUE(utc->IsSameEpochTimeOfDay(0.505, 0, 0));
    EXPECT_FALSE(utc->IsSameEpochTimeOfDay(1.5, 0, 0));
    EXPECT_TRUE(utc->IsSameEpochDateTime(0.5, 0, 0, 1, 1, 2024));
    EXPECT_FALSE(utc->IsSameEpochDateTime(0.5, 0, 0, 2, 1, 2024));
}

TEST_F(StorageTest, AnglesAreShownInDegrees) {
    auto* angle = AddValue<CStorageValueStatisticsAngle>(1, u"a");
    auto* course = AddValue<CStorageValueStatisticsAngle360>(2, u"c");
    angle->SetFormat(u"%.1f", u"");
    course->SetFormat(u"%.0f", u"");
    EXPECT_EQ(angle->Format(-kPi / 2), u"-90.0");
    EXPECT_EQ(course->Format(-kPi / 2), u"270");
    EXPECT_EQ(angle->GetUnit(), u"°");
}

TEST_F(StorageTest, PositionAnglesOfferEveryDisplayMode) {
    auto* lat = AddValue<CStorageValueStatisticsAnglePosition>(1, u"lat");
    const double v = -(48 + 7.038 / 60) * kPi / 180;
    EXPECT_EQ(lat->Format(v), u"-48.117300");
    lat->SetDisplayMode(3);
    EXPECT_EQ(lat->Format(v), u"-48 07.038");
    EXPECT_EQ(lat->GetUnit(), u"° '");
    lat->SetDisplayMode(4);
    EXPECT_EQ(lat->Format(v), u"-48 07 02.3");
    lat->SetDisplayMode(5);
    EXPECT_EQ(lat->Format((47 + 59.99999 / 60) * kPi / 180), u"48 00.000");  // rounding carries
    lat->SetDisplayMode(0);
    EXPECT_EQ(lat->GetUnit(), u"rad");
}

TEST_F(StorageTest, BitmaskShowsItsChoice) {
    auto* mode = AddValue<CStorageValueBitmask>(1, u"mode");
    mode->SetFormat(u"DR\n1D\n2D\n2/3D\n3D\n3D+\nMASKED\n3D+EKF\nTIME", u"n/a");
    EXPECT_EQ(mode->Format(4), u"3D");
    EXPECT_EQ(mode->Format(8.7), u"TIME");
    EXPECT_EQ(mode->Format(9), u"n/a");
    EXPECT_EQ(mode->Format(-1), u"n/a");
    EXPECT_EQ(mode->Format(1e300), u"n/a");
}

TEST_F(StorageTest, UntrustedFormatsCannotReadMissingArguments) {
    auto* value = AddValue<CStorageValue>(1, u"v");
    value->SetFormat(u"%s %n %d", u"");
    EXPECT_EQ(value->Format(1.5), u"1.500000");
    value->SetFormat(u"%.2f m/s (100%%)", u"");
    EXPECT_EQ(value->Format(1.5), u"1.50 m/s (100%)");
    value->SetFormat(u"%999999999f", u"");
    EXPECT_EQ(value->Format(1.5), u"1.500000");
}

TEST_F(StorageTest, SatelliteListAccumulatesPartsUntilTheLast) {
    auto list = std::make_unique<CStorageSVList>(u"Used SVs", u"Used SV List");
    CStorageSVList* used = list.get();
    used->ReserveSnapshotSlots(history);
    database.Add(0xC002, std::move(list));
    EXPECT_FALSE(used->OrMask(0x1, 0, false, 0));
    EXPECT_FALSE(used->IsValid());
    EXPECT_TRUE(used->OrMask(0x4, 0x1, true, 0));  // slots 0, 2 and 32
    EXPECT_EQ(used->FormatCurrent(), u"1,3,120");
    used->ClearChanged();
    CloseEpoch();
    EXPECT_EQ(used->GetMask(), 0u);
    EXPECT_EQ(used->FormatCurrent(), u"1,3,120");
    EXPECT_EQ(used->FormatSnapshotValue(history, history[0]), u"1,3,120");
    EXPECT_FALSE(used->OrMask(0x5, 0x1, true, 0));  // same set again: not a change
}

TEST(EpochHistory, KeepsTheNewestAndCountsDropped) {
    CEpochHistory history(3);
    const SnapshotSlot slot = history.ReserveCommonSlot();
    for (int i = 1; i <= 5; ++i) {
        auto snapshot = history.NewSnapshot(0);
        *history.ValueAddress(*snapshot, slot) = i;
        history.Push(std::move(snapshot));
    }
    ASSERT_EQ(history.Count(), 3u);
    EXPECT_EQ(history.Dropped(), 2u);
    EXPECT_EQ(history.Value(history[0], slot), 3);
    EXPECT_EQ(history.Value(history[2], slot), 5);
    history.SetCapacity(1);
    EXPECT_EQ(history.Value(history[0], slot), 5);
    EXPECT_EQ(history.Dropped(), 4u);
}

TEST(EpochHistory, CapacityZeroKeepsNothingButCountsTheEpoch) {
    CEpochHistory history(0);
    CStorageDatabase database;
    database.AttachHistory(&history);
    history.Push(history.NewSnapshot(0));
    history.Push(history.NewSnapshot(0));
    EXPECT_EQ(history.Count(), 0u);
    EXPECT_EQ(database.GetEpochCounter(), 2u);
}

TEST(EpochHistory, PerSatelliteAreasFollowTheMask) {
    CEpochHistory history(10);
    history.ReserveCommonSlot();
    const SnapshotSlot slot5 = history.PerSatelliteSlot(5, 3);
    const SnapshotSlot slot40 = history.PerSatelliteSlot(40, 3);
    const SnapshotSlot slot200 = history.PerSatelliteSlot(200, 3);
    auto snapshot = history.NewSnapshot(SatelliteMask({(uint64_t{1} << 5) | (uint64_t{1} << 40), 0, 0, ~uint64_t{0}}));
    *history.ValueAddress(*snapshot, slot5) = 5;
    *history.ValueAddress(*snapshot, slot40) = 40;
    *history.ValueAddress(*snapshot, slot200) = 200;
    // Bits beyond the last slot are dropped.
    EXPECT_EQ(snapshot->Mask(), SatelliteMask({(uint64_t{1} << 5) | (uint64_t{1} << 40), 0, 0, (uint64_t{1} << 35) - 1}));
    EXPECT_EQ(history.Value(*snapshot, slot5), 5);
    EXPECT_EQ(history.Value(*snapshot, slot40), 40);
    EXPECT_EQ(history.Value(*snapshot, slot200), 200);
    EXPECT_TRUE(std::isnan(history.Value(*snapshot, history.PerSatelliteSlot(201, 3))));
    EXPECT_EQ(history.ValueAddress(*snapshot, history.PerSatelliteSlot(6, 3)), nullptr);
}

TEST(EpochHistory, ADroppedSnapshotComesBackEmptyInTheNextLayout) {
    CEpochHistory history(1);
    const SnapshotSlot common = history.ReserveCommonSlot();
    const SnapshotSlot slot5 = history.PerSatelliteSlot(5, 0);
    const SnapshotSlot slot7 = history.PerSatelliteSlot(7, 0);
    auto first = history.NewSnapshot((uint64_t{1} << 5) | (uint64_t{1} << 7));
    *history.ValueAddress(*first, common) = 1;
    *history.ValueAddress(*first, slot5) = 5;
    *history.ValueAddress(*first, slot7) = 7;
    history.Push(std::move(first));
    auto second = history.NewSnapshot(uint64_t{1} << 7);
    *history.ValueAddress(*second, slot7) = 70;
    history.Push(std::move(second));

    const auto third = history.NewSnapshot(uint64_t{1} << 5);
    EXPECT_EQ(third->Mask(), SatelliteMask(uint64_t{1} << 5));
    EXPECT_TRUE(std::isnan(history.Value(*third, common)));
    EXPECT_TRUE(std::isnan(history.Value(*third, slot5)));
    EXPECT_EQ(history.ValueAddress(*third, slot7), nullptr);
    EXPECT_EQ(history.Value(history[0], slot7), 70);
}

TEST(SatelliteSlots, MapNumbersBothWays) {
    EXPECT_EQ(SatelliteSlot(1), 0);
    EXPECT_EQ(SatelliteSlot(32), 31);
    EXPECT_EQ(SatelliteSlot(33), -1);
    EXPECT_EQ(SatelliteSlot(120), 32);
    EXPECT_EQ(SatelliteSlot(138), 50);
    EXPECT_EQ(SatelliteSlot(209), 51);
    EXPECT_EQ(SatelliteSlot(210), -1);
    EXPECT_EQ(SatelliteSlot(65), -1);  // the receiver's own numbers know GPS and SBAS only
    for (int slot = 0; slot < kGpsSbasSlots; ++slot) EXPECT_EQ(SatelliteSlot(SatelliteNumber(slot)), slot);
    // Across systems every slot has its satellite, and the GPS and SBAS slots keep their numbers.
    for (int slot = 0; slot < kSatelliteSlots; ++slot) EXPECT_EQ(SatelliteSlotAcrossSystems(SatelliteNumber(slot)), slot);
    for (const int number : {1, 120, 139, 158, 65, 96, 301, 336, 401, 463, 193, 202, 501, 514})
        EXPECT_EQ(SatelliteNumber(SatelliteSlotAcrossSystems(number)), number);
    EXPECT_EQ(SatelliteSlotAcrossSystems(97), -1);
    EXPECT_EQ(SatelliteNumber(kSatelliteSlots), 0);
    EXPECT_EQ(SatelliteItemId(kSatelliteSlots - 1, 6), 0xDE26);
}

TEST_F(StorageTest, SatelliteStateReadsUsedBeforeStatus) {
    auto* used = AddValue<CStorageValueBitmask>(SatelliteItemId(3, 2), u"used");
    auto* mode = AddValue<CStorageValueBitmask>(SatelliteItemId(3, 1), u"mode");
    EXPECT_EQ(database.GetSatelliteState(3, nullptr, nullptr), 0);
    mode->SetValue(2);
    EXPECT_EQ(database.GetSatelliteState(3, nullptr, nullptr), 2);
    used->SetValue(1e300);
    EXPECT_EQ(database.GetSatelliteState(3, nullptr, nullptr), 2);
    used->SetValue(1);
    EXPECT_EQ(database.GetSatelliteState(3, nullptr, nullptr), 3);
    CloseEpoch();
    EXPECT_EQ(database.GetSatelliteState(3, &history, &history[0]), 3);
    EXPECT_EQ(database.GetSatelliteState(52, nullptr, nullptr), 0);
}

TEST(StorageDatabase, ReplacingAnEntryRebindsTheConversionsThatUseIt) {
    // A conversion that copies entry 1 into entry 2, holding pointers as conversions do.
    class CCopy : public CConversion {
    public:
        void Bind(CStorageDatabase& database) override {
            from = database.FindAs<CStorageValue>(1);
            to = database.FindAs<CStorageValue>(2);
        }
        bool Run() override { return from && to && to->SetValue(from->GetValue()); }

    private:
        CStorageValue* from = nullptr;
        CStorageValue* to = nullptr;
    };
    CStorageDatabase database;
    database.Add(1, std::make_unique<CStorageValue>(u"a", u"a"));
    database.Add(2, std::make_unique<CStorageValue>(u"b", u"b"));
    database.AddConversion(std::make_unique<CCopy>(), u"copy");
    auto replacement = std::make_unique<CStorageValue>(u"a2", u"a2");
    replacement->SetValue(7);
    database.Add(1, std::move(replacement));
    EXPECT_TRUE(database.RunConversions());
    EXPECT_EQ(database.FindAs<CStorageValue>(2)->GetValue(), 7);
    EXPECT_EQ(database.Entries().front().second->GetName(), u"a2");  // same place in the order
}

TEST(AxisTicks, TheGeneralRuleHalvesOrDoublesTheDecadeStep) {
    const auto check = [](double low, double high, double first, double step, int count) {
        const AxisTicks ticks = GeneralAxisTicks(low, high);
        EXPECT_DOUBLE_EQ(ticks.first, first) << low << " " << high;
        EXPECT_DOUBLE_EQ(ticks.step, step) << low << " " << high;
        EXPECT_EQ(ticks.count, count) << low << " " << high;
    };
    check(0, 2.5, 0, 0.5, 6);     // mantissa 2.5: half the decade
    check(-3, 1, -3, 1, 5);       // 4: the decade
    check(12.3, 19.9, 12, 2, 5);  // 7.6: twice the decade; first and last outside the range
    check(499.5, 499.55, 499.5, 0.01, 6);
    EXPECT_EQ(GeneralAxisTicks(1, 1).count, 0);
    EXPECT_EQ(GeneralAxisTicks(2, 1).count, 0);
    EXPECT_EQ(GeneralAxisTicks(0, INFINITY).count, 0);
    EXPECT_EQ(GeneralAxisTicks(NAN, 1).count, 0);
}

TEST_F(StorageTest, TimesAndAnglesComputeAxesInTheirOwnSteps) {
    auto* utc = AddValue<CStorageValueStatisticsTimeUTC>(1, u"utc");
    auto* angle = AddValue<CStorageValueStatisticsAngle>(2, u"a");
    auto* position = AddValue<CStorageValueStatisticsAnglePosition>(3, u"p");
    auto* plain = AddValue<CStorageValueStatistics>(4, u"v");
    const double day = 1709251200;                              // 2024-03-01 00:00:00
    AxisTicks ticks = utc->ComputeAxis(day + 100, day + 1000);  // 15 minutes: steps of 5 minutes
    EXPECT_DOUBLE_EQ(ticks.step, 300);
    EXPECT_DOUBLE_EQ(ticks.first, day);
    EXPECT_EQ(utc->Format(ticks.At(1)), u"00:05:00.000 03/01/2024");
    EXPECT_DOUBLE_EQ(utc->ComputeAxis(day, day + 5 * 86400).step, 86400);  // whole days at midnight
    EXPECT_DOUBLE_EQ(utc->ComputeAxis(day, day + 0.5).step, 0.1);          // below a second: decimal
    EXPECT_DOUBLE_EQ(plain->ComputeAxis(0, 900).step, 200);

    const double degree = kPi / 180;
    EXPECT_NEAR(angle->ComputeAxis(-kPi, kPi).step, 90 * degree, 1e-12);
    EXPECT_NEAR(angle->ComputeAxis(0, 40 * degree).step, 10 * degree, 1e-12);
    EXPECT_NEAR(angle->ComputeAxis(47 * degree, 47.01 * degree).step, 0.002 * degree, 1e-15);
    position->SetDisplayMode(3);  // degrees and minutes: whole minutes
    ticks = position->ComputeAxis(47 * degree, (47 + 25.0 / 60) * degree);
    EXPECT_NEAR(ticks.step, degree / 60 * 5, 1e-15);
    EXPECT_EQ(position->Format(ticks.At(1)), u"47 05.000");
}

TEST_F(StorageTest, PerSatelliteEntriesThatGainAValueNameTheirSlotsUntilTheEpochCloses) {
    constexpr int kItem = 5;
    auto* high = AddValue<CStorageValue>(SatelliteItemId(200, kItem), u"high");
    auto* low = AddValue<CStorageValue>(SatelliteItemId(3, kItem), u"low");
    AddValue<CStorageValue>(SatelliteItemId(7, kItem + 1), u"other item");
    high->SetValue(1);
    low->SetValue(2);
    low->SetValue(NAN);  // no store
    std::vector<int> visited;
    database.SatelliteItemSlotsGained(kItem).ForEachSlot([&](int slot) { visited.push_back(slot); });
    EXPECT_EQ((std::vector<int>{3, 200}), visited);
    EXPECT_EQ(2u, database.SatelliteItemStores(kItem));
    CloseEpoch();
    EXPECT_FALSE(database.SatelliteItemSlotsGained(kItem).Any());
    EXPECT_EQ(2u, database.SatelliteItemStores(kItem));  // the count goes on
}
