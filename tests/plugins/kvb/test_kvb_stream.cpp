// A receiver's 10 Hz navigation output through the splitter, the real kvb.so and the document:
// one closed epoch per time of week, each snapshot holding that epoch's values and satellites.
#include <gtest/gtest.h>

#include "tests/plugins/kvb/kvb_document_test.h"
#include "tests/plugins/kvb/kvb_test_stream.h"

namespace {

constexpr uint16_t kTimeTag = 0x2021, kGpsTime = 0x2011, kUtc = 0x2001, kTimeToFirstFix = 0x2051;
constexpr uint16_t kLatitude = 0x3001, kEcefX = 0x3011, kVelocityEast = 0x4012, kHdop = 0x5001;
constexpr uint16_t kSvsUsed = 0xC001, kUsedList = 0xC002, kSvsTracked = 0xC003, kSvsReceived = 0xC006;
constexpr int kItemUsed = 2, kItemElevation = 3, kItemCn0 = 5, kItemResidual = 8;
constexpr int kEpochs = 7;

int SatellitesOfEpoch(int n) { return 12 + n % 5; }

// The slots of the satellites the epoch tracks: all but the one without signal.
uint64_t TrackedSlots(const KvbTestEpoch& e) {
    uint64_t mask = 0;
    for (const KvbTestChannel& c : e.channels)
        if (c.quality >= 2) mask |= uint64_t{1} << SatelliteSlot(c.svid);
    return mask;
}

uint64_t UsedSlots(const KvbTestEpoch& e) {
    uint64_t mask = 0;
    for (const KvbTestChannel& c : e.channels)
        if (c.flags & 0x01) mask |= uint64_t{1} << SatelliteSlot(c.svid);
    return mask;
}

class KvbStreamTest : public KvbDocumentTest {
protected:
    void SetUp() override {
        KvbDocumentTest::SetUp();
        nodes = Feed(KvbTestStream(kEpochs));
    }

    double Snapshot(size_t epoch, uint16_t id) {
        return Entry(id)->GetSnapshotValue(document.History(), document.History()[epoch]);
    }
    double SatelliteSnapshot(size_t epoch, int satellite, int item) {
        return Snapshot(epoch, SatelliteItemId(SatelliteSlot(satellite), item));
    }

    std::vector<CMessageNode*> nodes;
};

TEST_F(KvbStreamTest, EveryFrameReachesItsDecoder) {
    ASSERT_EQ(7u * kEpochs, nodes.size());
    const char16_t* const order[] = {u"NAV-SOL", u"NAV-POSLLH", u"NAV-VELNED", u"NAV-TIMEUTC",
                                     u"NAV-DOP", u"NAV-SVINFO", u"NAV-STATUS"};
    for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(Node(order[i % 7]), nodes[i]) << i;
}

TEST_F(KvbStreamTest, ClosesOneEpochPerTimeOfWeek) {
    ASSERT_EQ(kEpochs - 1u, ClosedEpochs());
    EXPECT_EQ(kEpochs - 1u, document.Database().GetEpochCounter());
    for (size_t n = 0; n < ClosedEpochs(); ++n)
        EXPECT_DOUBLE_EQ((kTestFirstTow + kTestEpochMs * n) * 0.001, Snapshot(n, kTimeTag)) << n;
}

TEST_F(KvbStreamTest, SnapshotsHoldTheValuesOfTheirEpoch) {
    for (size_t n = 0; n < ClosedEpochs(); ++n) {
        const KvbTestEpoch e = MakeTestEpoch(static_cast<int>(n), SatellitesOfEpoch(static_cast<int>(n)));
        SCOPED_TRACE(n);
        EXPECT_DOUBLE_EQ(e.ecef[0] * 0.01, Snapshot(n, kEcefX));
        EXPECT_NEAR(e.lat * 1e-7 * kPi / 180, Snapshot(n, kLatitude), 1e-12);
        EXPECT_DOUBLE_EQ(e.velNed[1] * 0.01, Snapshot(n, kVelocityEast));
        EXPECT_DOUBLE_EQ(e.dop[4] * 0.01, Snapshot(n, kHdop));
        EXPECT_NEAR(kTestWeek * 604800.0 + e.iTow * 0.001 + e.fTow * 1e-9, Snapshot(n, kGpsTime), 1e-6);
        // UTC is 18 s behind GPS time in 2022.
        EXPECT_NEAR(315964800.0 + kTestWeek * 604800.0 + e.iTow * 0.001 - 18, Snapshot(n, kUtc), 1e-6);
        EXPECT_EQ(e.channels.size() - 3, Snapshot(n, kSvsUsed));
        EXPECT_EQ(e.channels.size() - 1, Snapshot(n, kSvsTracked));
        EXPECT_EQ(e.channels.size() - 3, Snapshot(n, kSvsReceived));
    }
}

TEST_F(KvbStreamTest, SnapshotsHoldTheSatellitesOfTheirEpoch) {
    const auto* usedList = document.Database().FindAs<CStorageSVList>(kUsedList);
    for (size_t n = 0; n < ClosedEpochs(); ++n) {
        const KvbTestEpoch e = MakeTestEpoch(static_cast<int>(n), SatellitesOfEpoch(static_cast<int>(n)));
        SCOPED_TRACE(n);
        const CEpochSnapshot& snapshot = document.History()[n];
        EXPECT_EQ(TrackedSlots(e), snapshot.Mask());
        EXPECT_EQ(UsedSlots(e), usedList->GetSnapshotMask(document.History(), snapshot));
        for (const KvbTestChannel& c : e.channels) {
            if (c.quality < 2) {
                EXPECT_TRUE(std::isnan(SatelliteSnapshot(n, c.svid, kItemCn0))) << int{c.svid};
                continue;
            }
            EXPECT_EQ(c.cno, SatelliteSnapshot(n, c.svid, kItemCn0)) << int{c.svid};
            EXPECT_EQ(c.flags & 0x01, SatelliteSnapshot(n, c.svid, kItemUsed)) << int{c.svid};
            EXPECT_DOUBLE_EQ(c.prRes * 0.01, SatelliteSnapshot(n, c.svid, kItemResidual)) << int{c.svid};
        }
        // The last channel's satellite has no known direction.
        EXPECT_TRUE(std::isnan(SatelliteSnapshot(n, e.channels.back().svid, kItemElevation)));
        EXPECT_NEAR(e.channels[0].elev * kPi / 180, SatelliteSnapshot(n, e.channels[0].svid, kItemElevation), 1e-12);
    }
}

TEST_F(KvbStreamTest, TheRunningEpochAndTheChannelsShowTheLastMessages) {
    const KvbTestEpoch last = MakeTestEpoch(kEpochs - 1, SatellitesOfEpoch(kEpochs - 1));
    EXPECT_DOUBLE_EQ(last.iTow * 0.001, Value(kTimeTag));
    EXPECT_TRUE(IsValid(kEcefX));
    for (const KvbTestChannel& c : last.channels) {
        EXPECT_EQ(c.svid, Channel(c.channel).satellite);
        EXPECT_EQ(c.cno, Channel(c.channel).cn0);
    }
    // The receiver repeats the same time to first fix: one value, in the first epoch.
    EXPECT_EQ(1u, Entry(kTimeToFirstFix)->Count());
    EXPECT_FALSE(IsValid(kTimeToFirstFix));
}

}  // namespace
