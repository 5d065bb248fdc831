// Receivers of several systems, written from the published sentence formats of NMEA 0183 4.10
// and 4.11: a node per talker and sentence, the satellites of each system by their own number.
#include <string>
#include <vector>

#include "shared/entry_ids.h"
#include "shared/memory_page.h"
#include "shared/satellite_slots.h"
#include "tests/plugins/nmea/nmea_document_test.h"

namespace {

using namespace entry;

constexpr double kDegree = 3.1415926535898 / 180;

class NmeaTalkerTest : public NmeaDocumentTest {
protected:
    void SendAll(const std::vector<std::string>& bodies) {
        for (const std::string& body : bodies) ASSERT_NE(nullptr, Send(body)) << body;
    }
    bool OnChannel(int satellite) { return ChannelOf(satellite) != nullptr; }
};

// One second of a GN receiver of NMEA 4.10 with GPS, GLONASS, Galileo and BeiDou: GSA per system
// with its identifier, GSV per talker with its signal.
std::vector<std::string> GnEpoch(const std::string& time) {
    return {
        "GNRMC," + time + ",A,4807.038,N,01131.000,E,1.0,054.7,230394,,,A,S",
        "GNGGA," + time + ",4807.038,N,01131.000,E,1,07,0.8,545.4,M,46.9,M,,",
        "GNGSA,A,3,05,12,,,,,,,,,,,1.5,0.8,1.2,1",
        "GNGSA,A,3,65,70,,,,,,,,,,,1.5,0.8,1.2,2",
        "GNGSA,A,3,03,11,,,,,,,,,,,1.5,0.8,1.2,3",
        "GNGSA,A,3,07,,,,,,,,,,,,1.5,0.8,1.2,4",
        "GPGSV,1,1,03,05,40,083,46,12,30,120,44,03,10,300,,1",
        "GLGSV,1,1,02,65,20,200,40,70,50,300,42,1",
        "GAGSV,1,1,02,03,60,010,45,11,10,250,38,7",
        "GBGSV,1,1,01,07,35,150,41,1",
        "GNVTG,054.7,T,,M,1.0,N,1.9,K,A",
    };
}

TEST_F(NmeaTalkerTest, AGnReceiverGivesItsFixTimeSpeedAndDop) {
    SendAll(GnEpoch("123519.00"));
    EXPECT_EQ(0u, ClosedEpochs());
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_NEAR((11 + 31.0 / 60) * kDegree, Value(kLongitude), 1e-12);
    EXPECT_DOUBLE_EQ(764426119, Value(kUtc));
    EXPECT_NEAR(1852.0 / 3600, Value(kSpeedOverGround), 1e-12);
    EXPECT_NEAR(54.7 * kDegree, Value(kCourseOverGround), 1e-12);
    EXPECT_EQ(592.3, Value(kHeightAboveEllipsoid));
    EXPECT_EQ(1.5, Value(kPdop));
    EXPECT_EQ(0.8, Value(kHdop));
    EXPECT_EQ(1.2, Value(kVdop));
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(4, Value(kNavigationMode));

    SendAll(GnEpoch("123520.00"));
    EXPECT_EQ(1u, ClosedEpochs());
}

TEST_F(NmeaTalkerTest, EachTalkersSentenceHasItsOwnNode) {
    SendAll(GnEpoch("123519.00"));
    CMessageNode* rmc = Node(u"GNRMC");
    ASSERT_NE(nullptr, rmc);
    EXPECT_EQ(u"GNRMC (Recommended Minimum Specific GNSS Data)", std::u16string(rmc->Label()));
    EXPECT_EQ(rmc->Parent(), Root());
    EXPECT_EQ(rmc, Send("GNRMC,123520.00,A,4807.038,N,01131.000,E,1.0,054.7,230394,,,A"));

    CMemoryPage page;
    uint8_t buffer[64];
    int length = 0;
    ASSERT_EQ(15, rmc->BuildPoll(page, buffer, length, sizeof buffer));
    EXPECT_EQ(NmeaTestSentence("EIGNQ,RMC"), std::string(buffer, buffer + length));
    ASSERT_TRUE(rmc->BuildRateCommand(true, buffer, length, sizeof buffer));
    EXPECT_EQ(4, buffer[7]);

    CMessageNode* glonass = Node(u"GLGSV");
    ASSERT_NE(nullptr, glonass);
    EXPECT_EQ(glonass, Node(u"GLGSV")->FindChildByLabel(u"page 1")->Parent());
    EXPECT_EQ(u"GLGSV", std::u16string(glonass->FindChildByLabel(u"page 1")->Name()));
    EXPECT_EQ(Node(u"GPGSV"), Node(u"GPGSV")->FindChildByLabel(u"page 1")->Parent());
    // A second sentence of a new talker finds the node the first one made.
    const size_t children = [&] {
        size_t n = 0;
        for (auto position = Root()->GetFirstChild(); position; Root()->GetNextChild(position)) ++n;
        return n;
    }();
    SendAll(GnEpoch("123521.00"));
    size_t after = 0;
    for (auto position = Root()->GetFirstChild(); position; Root()->GetNextChild(position)) ++after;
    EXPECT_EQ(children, after);
}

TEST_F(NmeaTalkerTest, EverySatelliteKeepsItsSystemAndTheCountsAddUp) {
    SendAll(GnEpoch("123519.00"));
    // GPS 3 and 7 are not Galileo 3 and BeiDou 7.
    for (int satellite : {5, 12, 3, 65, 70, 303, 311, 407}) EXPECT_TRUE(OnChannel(satellite)) << satellite;
    EXPECT_FALSE(OnChannel(7));
    EXPECT_FALSE(OnChannel(11));
    EXPECT_EQ(0, ChannelOf(3)->cn0);
    EXPECT_EQ(45, ChannelOf(303)->cn0);
    EXPECT_EQ(46, Value(SatelliteItemId(SatelliteSlot(5), kSatelliteCn0)));
    EXPECT_FALSE(IsValid(SatelliteItemId(SatelliteSlot(11), kSatelliteCn0)));
    EXPECT_EQ(7, Value(kSatellitesUsed));
    EXPECT_EQ(8, Value(kSatellitesTracked));

    // Each satellite in its own slot: GPS 3 low in the west, Galileo 3 high in the north.
    const auto slot = [](int number) { return SatelliteSlotAcrossSystems(number); };
    EXPECT_NEAR(10 * kDegree, Value(SatelliteItemId(slot(3), kSatelliteElevation)), 1e-12);
    EXPECT_NEAR(60 * kDegree, Value(SatelliteItemId(slot(303), kSatelliteElevation)), 1e-12);
    EXPECT_NEAR(150 * kDegree, Value(SatelliteItemId(slot(407), kSatelliteAzimuth)), 1e-12);
    EXPECT_EQ(42, Value(SatelliteItemId(slot(70), kSatelliteCn0)));
    SatelliteMask used;
    for (int number : {5, 12, 65, 70, 303, 311, 407}) {
        used.Set(slot(number));
        EXPECT_EQ(1, Value(SatelliteItemId(slot(number), kSatelliteUsed))) << number;
    }
    EXPECT_EQ(used, Mask(kUsedList));
    SatelliteMask tracked = used;
    tracked.Set(slot(3));
    EXPECT_EQ(tracked, Mask(kTrackedList));
    EXPECT_EQ(1, Value(SatelliteItemId(slot(407), kSatelliteMode)));

    // The epoch closes with an area for every tracked satellite of every system.
    SendAll(GnEpoch("123520.00"));
    ASSERT_EQ(1u, ClosedEpochs());
    EXPECT_EQ(tracked, document.History()[0].Mask());
    EXPECT_EQ(u"5,12,65,70,303,311,407", document.Database().FindAs<CStorageSVList>(kUsedList)->FormatSnapshotValue(
                                               document.History(), document.History()[0]));
}

TEST_F(NmeaTalkerTest, Nmea411NamesQzssAndNavicAndTheTrackedListOutlivesASilentTalker) {
    SendAll({"GNRMC,123519.00,A,4807.038,N,01131.000,E,0.0,,230394,,,A,V"});
    EXPECT_EQ(0, Value(kNavigationValid));  // navigational status V
    SendAll({"GNGSA,A,3,02,,,,,,,,,,,,2.0,1.0,1.7,5", "GNGSA,A,3,04,,,,,,,,,,,,2.0,1.0,1.7,6",
             "GQGSV,1,1,01,02,45,100,40,1", "GIGSV,1,1,01,04,25,210,35,1", "GPGSV,1,1,01,05,40,083,46,1",
             "GPGSV,1,1,01,05,40,083,49,8"});
    EXPECT_EQ(0u, ClosedEpochs());
    EXPECT_TRUE(OnChannel(194));
    EXPECT_TRUE(OnChannel(504));
    EXPECT_EQ(2, Value(kSatellitesUsed));
    EXPECT_EQ(3, Value(kSatellitesTracked));

    // GPS L1 alone in the next second: QZSS, NavIC and GPS L5 keep their last cycles, until a
    // talker says it has none.
    SendAll({"GNRMC,123520.00,A,4807.038,N,01131.000,E,0.0,,230394,,,A,S", "GPGSV,1,1,01,06,40,083,46,1"});
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(4, Value(kSatellitesTracked));
    SendAll({"GIGSV,1,1,00,1"});
    EXPECT_EQ(3, Value(kSatellitesTracked));
}

TEST_F(NmeaTalkerTest, GnsAndAReceiverThatMixesGpAndGn) {
    ASSERT_NE(nullptr, Send("GNGNS,123519.00,4807.038,S,01131.000,W,DNAN,10,0.9,545.4,46.9,,,S"));
    EXPECT_NEAR(-(48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_NEAR(-(11 + 31.0 / 60) * kDegree, Value(kLongitude), 1e-12);
    EXPECT_EQ(1, Value(kDgpsUsed));
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(10, Value(kSatellitesUsed));
    EXPECT_EQ(545.4, Value(kHeightAboveSeaLevel));
    EXPECT_EQ(u"GNGNS (GNSS Fix Data)", std::u16string(Node(u"GNGNS")->Label()));

    // GP position, GN solution time, a GP GSA without system and a GLONASS one: one epoch.
    SendAll({"GPGGA,123520.00,4807.038,N,01131.000,E,1,05,0.9,545.4,M,46.9,M,,",
             "GNRMC,123520.00,A,4807.038,N,01131.000,E,0.0,,230394,,,A", "GPGSA,A,3,05,12,,,,,,,,,,,1.5,0.8,1.2",
             "GLGSA,A,3,65,70,71,,,,,,,,,,1.5,0.8,1.2", "GPGSV,1,1,02,05,40,083,46,12,30,120,44",
             "GLGSV,1,1,03,65,20,200,40,70,50,300,42,71,10,100,30"});
    EXPECT_EQ(1u, ClosedEpochs());
    EXPECT_EQ(5, Value(kSatellitesUsed));
    EXPECT_EQ(1, Value(SatelliteItemId(SatelliteSlot(5), kSatelliteUsed)));
    EXPECT_TRUE(OnChannel(71));
    EXPECT_EQ(5, Value(kSatellitesTracked));
    EXPECT_EQ(Node(u"GPGGA"), Send("GPGGA,123521.00,4807.038,N,01131.000,E,1,05,0.9,545.4,M,46.9,M,,"));
    EXPECT_EQ(2u, ClosedEpochs());
}

}  // namespace
