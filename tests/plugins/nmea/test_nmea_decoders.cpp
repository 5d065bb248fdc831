#include <string>

#include "shared/entry_ids.h"
#include "shared/calendar.h"
#include "shared/satellite_slots.h"
#include "tests/plugins/nmea/nmea_document_test.h"

namespace {

using namespace entry;

constexpr double kPi = 3.1415926535898;
constexpr double kDegree = kPi / 180;

std::string Gga(const std::string& time, const std::string& quality, const std::string& altitude) {
    return "GPGGA," + time + ",4807.038,N,01131.000,E," + quality + ",08,0.9," + altitude;
}

using NmeaDecoderTest = NmeaDocumentTest;

TEST_F(NmeaDecoderTest, SecondSentenceOfAKindOpensANewEpoch) {
    Send(Gga("123519", "1", "545.4,M,46.9,M,,"));
    Send(Gga("123519", "1", "545.4,M,46.9,M,,"));
    EXPECT_EQ(1u, ClosedEpochs());
    Send("GPGLL,4807.038,N,01131.000,E,123519,A,A");
    EXPECT_EQ(1u, ClosedEpochs());
    // A time that differs from the epoch's opens one even for a node not yet decoded in it.
    Send("GPGST,123520,1.0,2.0,1.5,45.0,1.0,1.2,2.0");
    EXPECT_EQ(2u, ClosedEpochs());
}

TEST_F(NmeaDecoderTest, StoresTheFixOfGga) {
    ASSERT_EQ(Node(u"GPGGA"), Send(Gga("123519.5", "2", "545.4,M,46.9,M,,")));
    EXPECT_DOUBLE_EQ(12 * 3600 + 35 * 60 + 19.5, Value(kUtc));
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_NEAR((11 + 31.0 / 60) * kDegree, Value(kLongitude), 1e-12);
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(1, Value(kDgpsUsed));
    EXPECT_EQ(3, Value(kNavigationMode));
    EXPECT_EQ(8, Value(kSatellitesUsed));
    EXPECT_DOUBLE_EQ(0.9, Value(kHdop));
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveSeaLevel));
    EXPECT_DOUBLE_EQ(545.4 + 46.9, Value(kHeightAboveEllipsoid));
}

TEST_F(NmeaDecoderTest, FixQualitySixIsDeadReckoning) {
    Send(Gga("123519", "6", "545.4,M,46.9,M,,"));
    EXPECT_EQ(0, Value(kNavigationMode));
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(0, Value(kDgpsUsed));
}

TEST_F(NmeaDecoderTest, GsaRefinesTheModeOfGgaButGgaKeepsTheModeOfGsa) {
    Send(Gga("123519", "1", "545.4,M,46.9,M,,"));
    ASSERT_EQ(3, Value(kNavigationMode));
    Send("GPGSA,A,2,04,05,,,,,,,,,,,2.5,1.3,2.1");
    EXPECT_EQ(2, Value(kNavigationMode));

    Send("GPGSA,A,3,04,05,09,,,,,,,,,,2.5,1.3,2.1");  // a new epoch
    Send(Gga("123520", "1", "545.4,M,46.9,M,,"));
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_EQ(4, Value(kNavigationMode));

    Send("GPGSA,A,1,,,,,,,,,,,,,,,");
    EXPECT_EQ(0, Value(kNavigationValid));
    EXPECT_FALSE(IsValid(kNavigationMode));
    EXPECT_EQ(4, Value(kNavigationMode));
}

TEST_F(NmeaDecoderTest, StoresAltitudesOnlyInMetres) {
    Send(Gga("123519", "1", "545.4,M,,,,"));
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveSeaLevel));
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveEllipsoid));

    Send(Gga("123520", "1", "1789.4,F,46.9,M,,"));
    EXPECT_FALSE(IsValid(kHeightAboveSeaLevel));
    EXPECT_FALSE(IsValid(kHeightAboveEllipsoid));
}

TEST_F(NmeaDecoderTest, RejectsALatitudeBeyondThePole) {
    Send("GPGGA,123519,9500.000,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_FALSE(IsValid(kLatitude));
    EXPECT_TRUE(IsValid(kUtc));
}

TEST_F(NmeaDecoderTest, GsaMarksUsedSatellitesIncludingSbas) {
    ASSERT_EQ(Node(u"GPGSA"), Send("GPGSA,A,3,04,40,,,,,,,,,,,2.5,1.3,2.1"));
    const int slot = SatelliteSlot(127);
    ASSERT_EQ(39, slot);
    EXPECT_EQ(1, Value(SatelliteItemId(slot, kSatelliteUsed)));
    EXPECT_EQ(1, Value(SatelliteItemId(3, kSatelliteUsed)));
    EXPECT_EQ(0, Value(SatelliteItemId(4, kSatelliteUsed)));
    EXPECT_EQ((uint64_t{1} << 39) | (uint64_t{1} << 3), Mask(kUsedList));
    EXPECT_EQ(2, Value(kSatellitesUsed));
    EXPECT_DOUBLE_EQ(2.5, Value(kPdop));
    EXPECT_DOUBLE_EQ(1.3, Value(kHdop));
    EXPECT_DOUBLE_EQ(2.1, Value(kVdop));
    const CChannelHistory::Sample* channel = ChannelOf(127);
    ASSERT_NE(nullptr, channel);
    EXPECT_EQ(CChannelHistory::STATE_USED, channel->state);
}

TEST_F(NmeaDecoderTest, GsvCreatesPageNodesOnceAndJoinsTheCycle) {
    const std::string pages[] = {NmeaTestSentence("GPGSV,3,1,09,01,10,010,40,02,20,020,41,03,30,030,42,04,40,040,43"),
                                 NmeaTestSentence("GPGSV,3,2,09,05,10,050,40,06,20,060,41,07,30,070,42,08,40,080,43"),
                                 NmeaTestSentence("GPGSV,3,3,09,09,10,090,44,10,20,100,45,11,30,110,46,12,40,120,47")};
    for (const std::string& page : pages) Feed(page);
    CMessageNode* gsv = Node(u"GPGSV");
    auto position = gsv->GetFirstChild();
    for (const char16_t* label : {u"page 1", u"page 2", u"page 3"}) {
        ASSERT_NE(nullptr, position);
        EXPECT_EQ(std::u16string(label), gsv->GetNextChild(position)->Label());
    }
    EXPECT_EQ(nullptr, position);
    EXPECT_EQ(pages[0] + pages[1] + pages[2], std::string(gsv->FrameBytes(), gsv->FrameBytes() + gsv->FrameLength()));

    // Page 3 names nine satellites in view: it carries one group, the other three are not read.
    EXPECT_EQ(44, Value(SatelliteItemId(8, kSatelliteCn0)));
    EXPECT_FALSE(IsValid(SatelliteItemId(9, kSatelliteCn0)));
    EXPECT_EQ(9, Value(kSatellitesTracked));
    EXPECT_EQ(uint64_t{0x1FF}, Mask(kTrackedList));

    const std::string shortCycle[] = {
        NmeaTestSentence("GPGSV,2,1,05,01,10,010,40,02,20,020,41,03,30,030,42,04,40,040,43"),
        NmeaTestSentence("GPGSV,2,2,05,05,10,050,40")};
    for (const std::string& page : shortCycle) Feed(page);
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_NE(nullptr, gsv->FindChildByLabel(u"page 3"));
    EXPECT_EQ(shortCycle[0] + shortCycle[1], std::string(gsv->FrameBytes(), gsv->FrameBytes() + gsv->FrameLength()));
    EXPECT_EQ(5, Value(kSatellitesTracked));
}

TEST_F(NmeaDecoderTest, GsvWithMissingGroupsReadsOnlyWhatIsThere) {
    // Four satellites announced, one present, and a page count beyond nine.
    ASSERT_NE(nullptr, Send("GPGSV,1,1,04,01,40,083,46"));
    EXPECT_EQ(46, Value(SatelliteItemId(0, kSatelliteCn0)));
    EXPECT_EQ(1, Value(kSatellitesTracked));
    EXPECT_EQ(Node(u"GPGSV"), Send("GPGSV,12,12,48,01,40,083,46"));
    EXPECT_EQ(Node(u"GPGSV"), Send("GPGSV,1,2,04,01,40,083,46"));
}

TEST_F(NmeaDecoderTest, GsvStoresDirectionsAndSignal) {
    Send("GPGSV,1,1,04,01,00,000,40,02,00,010,41,03,45,270,,04,-5,-10,30");
    EXPECT_FALSE(IsValid(SatelliteItemId(0, kSatelliteElevation)));
    EXPECT_FALSE(IsValid(SatelliteItemId(0, kSatelliteAzimuth)));
    EXPECT_EQ(0, Value(SatelliteItemId(1, kSatelliteElevation)));
    EXPECT_NEAR(10 * kDegree, Value(SatelliteItemId(1, kSatelliteAzimuth)), 1e-12);
    EXPECT_NEAR(-90 * kDegree, Value(SatelliteItemId(2, kSatelliteAzimuth)), 1e-12);
    EXPECT_NEAR(-10 * kDegree, Value(SatelliteItemId(3, kSatelliteAzimuth)), 1e-12);
    EXPECT_NEAR(-5 * kDegree, Value(SatelliteItemId(3, kSatelliteElevation)), 1e-12);

    EXPECT_EQ(1, Value(SatelliteItemId(0, kSatelliteMode)));
    EXPECT_EQ(0, Value(SatelliteItemId(2, kSatelliteMode)));  // no C/N0: no signal
    ASSERT_NE(nullptr, ChannelOf(3));
    ASSERT_NE(nullptr, ChannelOf(4));
    EXPECT_EQ(270, ChannelOf(3)->azimuth);
    EXPECT_EQ(0, ChannelOf(3)->cn0);
    EXPECT_EQ(350, ChannelOf(4)->azimuth);
    EXPECT_EQ(-5, ChannelOf(4)->elevation);
    EXPECT_EQ(30, ChannelOf(4)->cn0);
}

TEST_F(NmeaDecoderTest, TalkersOfNoSatelliteSystemReachOnlyGsvAndTxt) {
    CMessageNode* gga = Send("IIGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    ASSERT_NE(nullptr, gga);
    EXPECT_EQ(u"Unknown", std::u16string(gga->Description()));
    EXPECT_FALSE(IsValid(kLatitude));

    CMessageNode* gsv = Send("GNGSV,1,1,01,01,40,083,46");
    ASSERT_NE(nullptr, gsv);
    EXPECT_EQ(u"page 1", std::u16string(gsv->Label()));
    EXPECT_EQ(46, Value(SatelliteItemId(0, kSatelliteCn0)));
}

TEST_F(NmeaDecoderTest, StoresMotionOfRmcAndVtg) {
    Send("GPRMC,123519,A,4807.038,N,01131.000,E,1.0,270.0,230394,003.1,W,A");
    EXPECT_NEAR(0.5144444444, Value(kSpeedOverGround), 1e-9);
    EXPECT_NEAR(-90 * kDegree, Value(kCourseOverGround), 1e-12);
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(3, Value(kNavigationMode));
    EXPECT_EQ(0, Value(kDgpsUsed));

    Send("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K,D");
    EXPECT_NEAR(5.5 * 1852 / 3600, Value(kSpeedOverGround), 1e-12);
    EXPECT_NEAR(54.7 * kDegree, Value(kCourseOverGround), 1e-12);
    EXPECT_EQ(1, Value(kDgpsUsed));
    Send("GPVTG,,,,,,,036.0,K,E");
    EXPECT_DOUBLE_EQ(10, Value(kSpeedOverGround));
    EXPECT_EQ(0, Value(kNavigationMode));
    Send("GPRMC,123521,V,4807.038,N,01131.000,E,1.0,270.0,230394,003.1,W,N");
    EXPECT_EQ(0, Value(kNavigationValid));
}

TEST_F(NmeaDecoderTest, TwoAndFourDigitYearsGiveTheSameTime) {
    const double expected = static_cast<double>(DaysFromCivil(1994, 3, 23)) * 86400 + 12 * 3600 + 35 * 60 + 19;
    Send("GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W");
    EXPECT_DOUBLE_EQ(expected, Value(kUtc));
    Send("GPZDA,123519,23,03,1994,00,00");
    EXPECT_EQ(0u, ClosedEpochs());
    EXPECT_DOUBLE_EQ(expected, Value(kUtc));

    Send("GPZDA,123520,24,03,2024,00,00");
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_DOUBLE_EQ(static_cast<double>(DaysFromCivil(2024, 3, 24)) * 86400 + 12 * 3600 + 35 * 60 + 20, Value(kUtc));
    Send("GPRMC,123520,A,4807.038,N,01131.000,E,022.4,084.4,240324,003.1,W");
    EXPECT_EQ(1u, ClosedEpochs());
}

TEST_F(NmeaDecoderTest, NewDocumentForgetsTheEpochOfEachNode) {
    Send(Gga("123519", "1", "545.4,M,46.9,M,,"));
    document.OnNewDocument();
    Send(Gga("123519", "1", "545.4,M,46.9,M,,"));
    EXPECT_EQ(0u, ClosedEpochs());
    EXPECT_TRUE(IsValid(kLatitude));
}

}  // namespace
