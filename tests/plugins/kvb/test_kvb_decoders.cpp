// The navigation decoders of kvb.so, each frame fed through the splitter into the real document.
#include <gtest/gtest.h>

#include "tests/plugins/kvb/kvb_document_test.h"
#include "tests/plugins/kvb/kvb_test_stream.h"

namespace {

constexpr uint16_t kUtc = 0x2001, kGpsTime = 0x2011, kTimeTag = 0x2021, kTimeAccuracy = 0x2031;
constexpr uint16_t kTimeSinceStartup = 0x2041, kTimeToFirstFix = 0x2051;
constexpr uint16_t kLatitude = 0x3001, kLongitude = 0x3002, kHae = 0x3003, kMsl = 0x3004;
constexpr uint16_t kEcefX = 0x3011, kEcefZ = 0x3013, kPositionAccuracy = 0x3020, kVerticalAccuracy = 0x3022;
constexpr uint16_t kVelocityX = 0x4001, kVelocityZ = 0x4003, kVelocityNorth = 0x4011, kVelocityDown = 0x4013;
constexpr uint16_t kSpeed = 0x4021, kSpeedOverGround = 0x4022, kCourse = 0x4023, kVelocityAccuracy = 0x4031;
constexpr uint16_t kHdop = 0x5001, kGdop = 0x5003, kPdop = 0x5005, kEdop = 0x5007;
constexpr uint16_t kClockDrift = 0x6001, kClockBias = 0x6002, kClockAccuracy = 0x6003;
constexpr uint16_t kNavMode = 0x7001, kNavOk = 0x7002, kDgps = 0x7003;
constexpr uint16_t kDrTemperature = 0x8000, kDrSpeedTicks = 0x8001, kDrGyroMean = 0x8002, kDrTickScale = 0x8010;
constexpr uint16_t kDrGyroScale = 0x8011, kDrGyroBias = 0x8012, kDrTickScaleAccuracy = 0x8013;
constexpr uint16_t kDrGyroBiasAccuracy = 0x8015;
constexpr uint16_t kSvsUsed = 0xC001, kUsedList = 0xC002, kSvsTracked = 0xC003, kTrackedList = 0xC004;
constexpr uint16_t kSvsReceived = 0xC006;
constexpr int kItemMode = 1, kItemUsed = 2, kItemElevation = 3, kItemAzimuth = 4, kItemCn0 = 5, kItemChannel = 6;
constexpr int kItemResidual = 8;

constexpr double kGpsWeekSeconds = 604800;

using KvbDecoderTest = KvbDocumentTest;

// Epoch n of the generated drive, with one satellite per channel description.
KvbTestEpoch Epoch(int n, std::vector<KvbTestChannel> channels = {}) {
    KvbTestEpoch e = MakeTestEpoch(n, 12);
    e.channels = std::move(channels);
    return e;
}

std::vector<uint8_t> NavClockFrame(uint32_t iTow, int32_t clkB, int32_t clkD, uint32_t tAcc, uint32_t fAcc) {
    return KvbTestPayload(20).U4(0, iTow).I4(4, clkB).I4(8, clkD).U4(12, tAcc).U4(16, fAcc).Frame(0x22);
}

std::vector<uint8_t> NavTimeGpsFrame(uint32_t iTow, int32_t fTow, int16_t week, uint8_t valid, uint32_t tAcc) {
    return KvbTestPayload(16).U4(0, iTow).I4(4, fTow).I2(8, week).U1(11, valid).U4(12, tAcc).Frame(0x20);
}

// NAV-EKFSTATUS with made-up sensor values and the given tick scale divisor and marker.
std::vector<uint8_t> NavEkfStatusFrame(int32_t tickDivisor, uint8_t marker) {
    return KvbTestPayload(36)
        .I4(0, 1234)
        .I4(4, 100)
        .U4(8, 51234)
        .I2(12, 6400)
        .U1(14, 1)
        .U1(15, 0x3C)
        .I4(16, tickDivisor)
        .I4(20, -2500)
        .I4(24, 1020)
        .I2(28, 35)
        .I2(30, 120)
        .I2(32, 48)
        .U1(35, marker)
        .Frame(0x40);
}

TEST_F(KvbDecoderTest, SolutionWritesTimePositionVelocityAndFix) {
    const KvbTestEpoch e = Epoch(0);
    Feed(NavSolFrame(e));

    EXPECT_DOUBLE_EQ(302400.0, Value(kTimeTag));
    EXPECT_NEAR(kTestWeek * kGpsWeekSeconds + 302400 - 12345e-9, Value(kGpsTime), 1e-6);
    EXPECT_DOUBLE_EQ(e.ecef[2] * 0.01, Value(kEcefZ));
    EXPECT_DOUBLE_EQ(e.pAcc * 0.01, Value(kPositionAccuracy));
    EXPECT_DOUBLE_EQ(e.ecefV[0] * 0.01, Value(kVelocityX));
    EXPECT_DOUBLE_EQ(e.sAcc * 0.01, Value(kVelocityAccuracy));
    EXPECT_DOUBLE_EQ(1.8, Value(kPdop));
    EXPECT_EQ(9, Value(kSvsUsed));
    EXPECT_EQ(4, Value(kNavMode));
    EXPECT_EQ(1, Value(kNavOk));
    EXPECT_EQ(0, Value(kDgps));
}

TEST_F(KvbDecoderTest, SolutionFlagsDecideGpsTimeAndFix) {
    KvbTestEpoch e = Epoch(1);
    e.solFlags = 0x05;
    Feed(NavSolFrame(e));
    EXPECT_FALSE(IsValid(kGpsTime));
    EXPECT_EQ(4, Value(kNavMode));

    e = Epoch(2);
    e.gpsFix = 0;
    Feed(NavSolFrame(e));
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_FALSE(IsValid(kNavMode));
    EXPECT_EQ(4, Value(kNavMode));
    EXPECT_EQ(0, Value(kNavOk));
}

TEST_F(KvbDecoderTest, FixTypeAndFlagsGiveTheNavigationMode) {
    struct Case {
        uint8_t gpsFix, flags;
        double mode, dgps;
    };
    const Case cases[] = {{1, 0x01, 0, 0}, {2, 0x01, 2, 0}, {3, 0x03, 4, 1}, {4, 0x01, 7, 0},
                          {5, 0x01, 8, 0}, {6, 0x01, 6, 0}, {3, 0x00, 6, 0}, {3, 0x02, 6, 1}};
    int n = 0;
    for (const Case& c : cases) {
        KvbTestEpoch e = Epoch(n++);
        e.gpsFix = c.gpsFix;
        e.solFlags = c.flags;
        Feed(NavStatusFrame(e));
        EXPECT_EQ(c.mode, Value(kNavMode)) << int{c.gpsFix} << " " << int{c.flags};
        EXPECT_EQ(1, Value(kNavOk));
        EXPECT_EQ(c.dgps, Value(kDgps)) << int{c.gpsFix} << " " << int{c.flags};
    }
}

TEST_F(KvbDecoderTest, StatusWritesTheTimeToFirstFixOncePerFix) {
    KvbTestEpoch e = Epoch(0);
    e.ttff = 0;
    Feed(NavStatusFrame(e));
    EXPECT_FALSE(IsValid(kTimeToFirstFix));
    EXPECT_DOUBLE_EQ(1200.0, Value(kTimeSinceStartup));

    e = Epoch(1);
    Feed(NavStatusFrame(e));
    EXPECT_DOUBLE_EQ(28.45, Value(kTimeToFirstFix));
    e = Epoch(2);
    Feed(NavStatusFrame(e));
    EXPECT_FALSE(IsValid(kTimeToFirstFix));
    EXPECT_EQ(1u, Entry(kTimeToFirstFix)->Count());

    // Losing the fix and finding it again after the same time is a new fix.
    e = Epoch(3);
    e.ttff = 0;
    Feed(NavStatusFrame(e));
    e = Epoch(4);
    Feed(NavStatusFrame(e));
    EXPECT_TRUE(IsValid(kTimeToFirstFix));
}

TEST_F(KvbDecoderTest, ANewDocumentForgetsTheLastTimeToFirstFix) {
    Feed(NavStatusFrame(Epoch(0)));
    document.OnNewDocument();
    Feed(NavStatusFrame(Epoch(1)));
    EXPECT_DOUBLE_EQ(28.45, Value(kTimeToFirstFix));
}

TEST_F(KvbDecoderTest, PositionMessagesWriteMetresAndRadians) {
    const KvbTestEpoch e = Epoch(0);
    Feed(NavPosLlhFrame(e));
    EXPECT_NEAR(49.6012345 * kPi / 180, Value(kLatitude), 1e-12);
    EXPECT_NEAR(8.2343211 * kPi / 180, Value(kLongitude), 1e-12);
    EXPECT_DOUBLE_EQ(301.25, Value(kHae));
    EXPECT_DOUBLE_EQ(253.87, Value(kMsl));
    EXPECT_DOUBLE_EQ(3.4, Value(kVerticalAccuracy));

    Feed(KvbTestPayload(20).U4(0, e.iTow).I4(4, -100).I4(8, 200).I4(12, -300).U4(16, 1234).Frame(0x01));
    EXPECT_DOUBLE_EQ(-1.0, Value(kEcefX));
    EXPECT_DOUBLE_EQ(-3.0, Value(kEcefZ));
    EXPECT_DOUBLE_EQ(12.34, Value(kPositionAccuracy));

    Feed(KvbTestPayload(20).U4(0, e.iTow).I4(4, 250).I4(8, 0).I4(12, -75).U4(16, 33).Frame(0x11));
    EXPECT_DOUBLE_EQ(2.5, Value(kVelocityX));
    EXPECT_DOUBLE_EQ(-0.75, Value(kVelocityZ));
    EXPECT_DOUBLE_EQ(0.33, Value(kVelocityAccuracy));

    Feed(NavDopFrame(e));
    EXPECT_DOUBLE_EQ(2.1, Value(kGdop));
    EXPECT_DOUBLE_EQ(0.95, Value(kHdop));
    EXPECT_DOUBLE_EQ(0.64, Value(kEdop));
    EXPECT_EQ(0u, ClosedEpochs());
}

TEST_F(KvbDecoderTest, VelNedWritesTheCourseFromMinusPiToPi) {
    KvbTestEpoch e = Epoch(0);
    e.heading = 27000000;
    Feed(NavVelNedFrame(e));
    EXPECT_NEAR(-kPi / 2, Value(kCourse), 1e-12);
    EXPECT_DOUBLE_EQ(8.5, Value(kVelocityNorth));
    EXPECT_DOUBLE_EQ(-0.04, Value(kVelocityDown));
    EXPECT_DOUBLE_EQ(9.06, Value(kSpeed));
    EXPECT_DOUBLE_EQ(9.05, Value(kSpeedOverGround));

    e.heading = 17999000;
    Feed(NavVelNedFrame(e));
    EXPECT_NEAR(179.99 * kPi / 180, Value(kCourse), 1e-12);
}

TEST_F(KvbDecoderTest, TimeMessagesWriteOnlyValidTimes) {
    const KvbTestEpoch e = Epoch(0);
    Feed(NavTimeUtcFrame(e));
    EXPECT_NEAR(1646827182.0, Value(kUtc), 1e-6);  // 2022-03-09 11:59:42 UTC
    EXPECT_DOUBLE_EQ(0.025, Value(kTimeAccuracy));

    KvbTestEpoch partial = Epoch(1);
    partial.utcValid = 0x03;
    Feed(NavTimeUtcFrame(partial));
    EXPECT_FALSE(IsValid(kUtc));

    Feed(NavTimeGpsFrame(partial.iTow, 5000, 2200, 0x01, 12000));
    EXPECT_FALSE(IsValid(kGpsTime));
    EXPECT_DOUBLE_EQ(12.0, Value(kTimeAccuracy));
    Feed(NavTimeGpsFrame(partial.iTow, 5000, 2200, 0x03, 12000));
    EXPECT_NEAR(2200 * kGpsWeekSeconds + 302400.1 + 5e-6, Value(kGpsTime), 1e-6);
}

TEST_F(KvbDecoderTest, ClockWithoutDriftKeepsThePreviousDrift) {
    Feed(NavClockFrame(1000, 250000, -1500, 30, 2500000));
    EXPECT_DOUBLE_EQ(-1.5, Value(kClockDrift));
    EXPECT_DOUBLE_EQ(250.0, Value(kClockBias));
    EXPECT_DOUBLE_EQ(0.03, Value(kTimeAccuracy));
    EXPECT_DOUBLE_EQ(2.5, Value(kClockAccuracy));

    Feed(NavClockFrame(2000, 250100, 0, 30, 2500000));
    EXPECT_FALSE(IsValid(kClockDrift));
    EXPECT_DOUBLE_EQ(-1.5, Value(kClockDrift));
    EXPECT_DOUBLE_EQ(250.1, Value(kClockBias));
}

TEST_F(KvbDecoderTest, SvInfoFillsChannelsSlotsListsAndCounts) {
    // Used with ephemeris; tracked from the almanac; signal too weak to count.
    Feed(NavSvInfoFrame(Epoch(
        0, {{0, 5, 0x0D, 7, 44, 35, -40, -250}, {3, 120, 0x04, 5, 38, 12, 200, 1000}, {4, 17, 0x00, 1, 0, 0, 0, 0}})));

    EXPECT_EQ(5, Channel(0).satellite);
    EXPECT_EQ(44, Channel(0).cn0);
    EXPECT_EQ(CChannelHistory::STATE_USED, Channel(0).state);
    EXPECT_EQ(320, Channel(0).azimuth);
    EXPECT_EQ(35, Channel(0).elevation);
    EXPECT_EQ(1, SatelliteValue(5, kItemChannel));
    EXPECT_DOUBLE_EQ(-2.5, SatelliteValue(5, kItemResidual));
    EXPECT_EQ(44, SatelliteValue(5, kItemCn0));
    EXPECT_NEAR(-40 * kPi / 180, SatelliteValue(5, kItemAzimuth), 1e-12);
    EXPECT_NEAR(35 * kPi / 180, SatelliteValue(5, kItemElevation), 1e-12);
    EXPECT_EQ(1, SatelliteValue(5, kItemUsed));
    EXPECT_EQ(2, SatelliteValue(5, kItemMode));

    // Satellite 120 has slot 32; an azimuth of 181 degrees or more is stored below zero.
    EXPECT_EQ(120, Channel(3).satellite);
    EXPECT_EQ(CChannelHistory::STATE_TRACKED, Channel(3).state);
    EXPECT_EQ(4, SatelliteValue(120, kItemChannel));
    EXPECT_NEAR(-160 * kPi / 180, SatelliteValue(120, kItemAzimuth), 1e-12);
    EXPECT_EQ(0, SatelliteValue(120, kItemUsed));
    EXPECT_EQ(1, SatelliteValue(120, kItemMode));

    // No C/N0 to store, and no direction without orbit data.
    EXPECT_EQ(17, Channel(4).satellite);
    EXPECT_FALSE(SatelliteValid(17, kItemCn0));
    EXPECT_FALSE(SatelliteValid(17, kItemAzimuth));
    EXPECT_EQ(0, SatelliteValue(17, kItemMode));

    EXPECT_EQ(uint64_t{1} << 4, Mask(kUsedList));
    EXPECT_EQ(uint64_t{1} << 4 | uint64_t{1} << 32, Mask(kTrackedList));
    EXPECT_EQ(1, Value(kSvsUsed));
    EXPECT_EQ(2, Value(kSvsTracked));
    EXPECT_EQ(1, Value(kSvsReceived));
}

TEST_F(KvbDecoderTest, SvInfoSatelliteWithoutSlotFillsOnlyTheChannelTable) {
    Feed(NavSvInfoFrame(Epoch(0, {{2, 33, 0x0D, 7, 40, 30, 100, 0}})));
    EXPECT_EQ(33, Channel(2).satellite);
    EXPECT_EQ(CChannelHistory::STATE_USED, Channel(2).state);
    EXPECT_EQ(0u, Mask(kUsedList));
    EXPECT_EQ(0u, Mask(kTrackedList));
    EXPECT_EQ(0, Value(kSvsUsed));
    EXPECT_EQ(0, Value(kSvsTracked));
}

TEST_F(KvbDecoderTest, SvInfoLeavesAnUnknownDirectionUntouched) {
    Feed(NavSvInfoFrame(Epoch(0, {{1, 9, 0x0D, 7, 40, 30, 100, 0}})));
    Feed(NavSvInfoFrame(Epoch(1, {{1, 9, 0x0D, 7, 41, 0 - 9, 0, 0}})));
    EXPECT_FALSE(SatelliteValid(9, kItemAzimuth));
    EXPECT_FALSE(SatelliteValid(9, kItemElevation));
    EXPECT_NEAR(100 * kPi / 180, SatelliteValue(9, kItemAzimuth), 1e-12);
    EXPECT_EQ(100, Channel(1).azimuth);
    EXPECT_EQ(30, Channel(1).elevation);
}

TEST_F(KvbDecoderTest, SvInfoChannelBeyondTheTableReachesNoChannel) {
    Feed(NavSvInfoFrame(Epoch(0, {{200, 7, 0x0D, 7, 40, 30, 100, 0}, {16, 8, 0x0D, 7, 40, 30, 100, 0}})));
    // A receiver of more than 16 channels fills them all.
    EXPECT_EQ(8, Channel(16).satellite);
    for (int channel = 0; channel < CChannelHistory::kChannels; ++channel) {
        if (channel != 16) {
            EXPECT_EQ(0, Channel(channel).satellite);
        }
    }
    EXPECT_EQ(201, SatelliteValue(7, kItemChannel));
    EXPECT_EQ(2, Value(kSvsUsed));
}

TEST_F(KvbDecoderTest, SvInfoCountsASatelliteOnTwoChannelsOnce) {
    Feed(NavSvInfoFrame(Epoch(0, {{0, 7, 0x0D, 7, 40, 30, 100, 0}, {1, 7, 0x0D, 7, 42, 30, 100, 0}})));
    EXPECT_EQ(1, Value(kSvsUsed));
    EXPECT_EQ(1, Value(kSvsTracked));
    EXPECT_EQ(1, Value(kSvsReceived));
}

// A frame that reaches the node through the tree has the length its count announces; one stored
// by other means must agree too before a record is read.
TEST_F(KvbDecoderTest, SvInfoWhoseCountDisagreesWithItsLengthWritesNothing) {
    std::vector<uint8_t> frame = NavSvInfoFrame(Epoch(0, {{0, 7, 0x0D, 7, 40, 30, 100, 0}}));
    frame[10] = 3;
    CMessageNode* svInfo = Node(u"NAV-SVINFO");
    svInfo->StoreFrame(frame.data(), static_cast<int>(frame.size()));
    EXPECT_FALSE(svInfo->Decode(&document.Database()));
    EXPECT_FALSE(IsValid(kTimeTag));
    EXPECT_EQ(0, Channel(0).satellite);

    frame[10] = 0;
    svInfo->StoreFrame(frame.data(), static_cast<int>(frame.size()));
    EXPECT_FALSE(svInfo->Decode(&document.Database()));
    EXPECT_EQ(0, Channel(0).satellite);
}

TEST_F(KvbDecoderTest, SvInfoWithoutChannelsEmptiesTheCounts) {
    const std::vector<CMessageNode*> nodes = Feed(NavSvInfoFrame(Epoch(0)));
    ASSERT_EQ(Node(u"NAV-SVINFO"), nodes.at(0));
    EXPECT_EQ(0, Value(kSvsTracked));
    EXPECT_TRUE(IsValid(kTrackedList));
}

TEST_F(KvbDecoderTest, EkfStatusMarkerSelectsTheFineScale) {
    Feed(NavEkfStatusFrame(1000000, 0xDA));
    EXPECT_FLOAT_EQ(100, Value(kDrTickScale));
    EXPECT_DOUBLE_EQ(-0.025, Value(kDrGyroBias));
    EXPECT_DOUBLE_EQ(0.0102, Value(kDrGyroScale));
    EXPECT_DOUBLE_EQ(0.35, Value(kDrTickScaleAccuracy));
    EXPECT_DOUBLE_EQ(1.2, Value(kDrGyroBiasAccuracy));
    EXPECT_EQ(1234, Value(kDrSpeedTicks));
    EXPECT_DOUBLE_EQ(512.34, Value(kDrGyroMean));
    EXPECT_DOUBLE_EQ(25.0, Value(kDrTemperature));

    Feed(NavEkfStatusFrame(1000000, 0x00));
    EXPECT_FLOAT_EQ(1, Value(kDrTickScale));
    EXPECT_DOUBLE_EQ(-2.5, Value(kDrGyroBias));
    EXPECT_DOUBLE_EQ(3.5, Value(kDrTickScaleAccuracy));
    EXPECT_EQ(u"DR Tick Scale", Entry(kDrTickScale)->GetName());
    EXPECT_EQ(u"1.000000", Entry(kDrTickScale)->FormatCurrent());
}

TEST_F(KvbDecoderTest, EkfStatusWithoutTickDivisorWritesNoTickScale) {
    Feed(NavEkfStatusFrame(0, 0xDA));
    EXPECT_FALSE(IsValid(kDrTickScale));
    EXPECT_TRUE(IsValid(kDrGyroBias));
}

// The filter status carries no time of week: it joins the running epoch whatever came before.
TEST_F(KvbDecoderTest, EkfStatusNeitherTagsNorOpensAnEpoch) {
    Feed(NavSolFrame(Epoch(0)));
    Feed(NavEkfStatusFrame(1000000, 0));
    Feed(NavSolFrame(Epoch(1)));
    Feed(NavEkfStatusFrame(2000000, 0));
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_DOUBLE_EQ(302400.1, Value(kTimeTag));
    const CEpochSnapshot& first = document.History()[0];
    EXPECT_FLOAT_EQ(
        1, document.Database().FindAs<CStorageValue>(kDrTickScale)->GetSnapshotValue(document.History(), first));
}

TEST_F(KvbDecoderTest, MessagesWithinThirtyMillisecondsShareAnEpoch) {
    Feed(NavClockFrame(5000, 1, 1, 1, 1));
    Feed(NavClockFrame(5029, 1, 1, 1, 1));
    EXPECT_EQ(0u, ClosedEpochs());
    Feed(NavClockFrame(5060, 1, 1, 1, 1));
    EXPECT_EQ(1u, ClosedEpochs());
    // The week turns over: the time of week starts again.
    Feed(NavClockFrame(0, 1, 1, 1, 1));
    EXPECT_EQ(2u, ClosedEpochs());
}

}  // namespace
