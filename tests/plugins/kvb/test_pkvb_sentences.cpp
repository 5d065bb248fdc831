// The proprietary sentences that kvb.so files under the NMEA root, fed with nmea.so through the
// real splitter into the real document.
#include <string>
#include <vector>

#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "shared/calendar.h"
#include "shared/entry_ids.h"
#include "shared/memory_page.h"
#include "shared/satellite_slots.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/plugins/nmea/nmea_document_test.h"
#include "tests/support/guarded_bytes.h"

namespace {

using namespace entry;

constexpr double kPi = 3.1415926535898;
constexpr double kDegree = kPi / 180;

class PkvbSentenceTest : public NmeaDocumentTest {
protected:
    void TearDown() override { MessageMask = MASK_ORDINARY; }

    CMessageNode* Find(const std::string& text) {
        const std::vector<uint8_t> bytes = Bytes(text);
        GuardedBytes guarded(bytes);
        return Root()->Find(guarded.data(), static_cast<int>(bytes.size()), MessageMask);
    }
    double Satellite(int number, int item) { return Value(SatelliteItemId(SatelliteSlot(number), item)); }
    bool SatelliteValid(int number, int item) { return IsValid(SatelliteItemId(SatelliteSlot(number), item)); }
};

// A position sentence: the fields after the number, from the time on.
std::string Position(const std::string& number, const std::string& time, const std::string& status,
                     const std::string& speedAndCourse = "36.0,270.0") {
    const std::string place = number == "00" ? "4807.038,N,01131.000,E,545.4" : "0512345.67,E,5318765.43,N,530.1";
    return "PKVB," + number + "," + time + "," + place + "," + status + ",2.1,3.4," + speedAndCourse +
           ",-0.5,,0.9,1.2,1.1,8,0,0";
}

TEST_F(PkvbSentenceTest, ThePkvbNodeHoldsTheFiveSentences) {
    CMessageNode* pkvb = Node(u"PKVB");
    ASSERT_NE(nullptr, pkvb);
    EXPECT_EQ(1006, pkvb->ResourceDialogId());
    EXPECT_EQ(u"PKVB", std::u16string(pkvb->Description()));
    std::vector<std::u16string> sentences;
    for (auto position = pkvb->GetFirstChild(); position;) {
        CMessageNode* sentence = pkvb->GetNextChild(position);
        sentences.push_back(sentence->Label());
        EXPECT_EQ(652, sentence->ResourceDialogId());
        EXPECT_EQ(pkvb->ResourceModule(), sentence->ResourceModule());
    }
    EXPECT_EQ(
        (std::vector<std::u16string>{u"00 (Position Data)", u"01 (UTM Position Data)", u"02 (Local Grid Position Data)",
                                     u"03 (Satellite Data)", u"04 (Time of Day)"}),
        sentences);
    EXPECT_NE(nullptr, pkvb->ResourceModule());
}

TEST_F(PkvbSentenceTest, RecognisesTheAddressInAnyCaseAndTheNumberAfterIt) {
    EXPECT_EQ(Node(u"PKVB00"), Find("$pkvb,00,123519.00\r\n"));
    EXPECT_EQ(Node(u"PKVB04"), Find("$PkVb,04\r\n"));
    EXPECT_EQ(Node(u"PKVB"), Find("$PKVB,0\n"));
    EXPECT_EQ(Node(u"PKVB"), Find("$PKVB,99,proprietary\r\n"));
    EXPECT_EQ(Node(u"PKVB"), Find("$PKVB;03,\r\n"));
    EXPECT_EQ(Root()->FindChildByLabel(u"????? (Unknown)"), Find("$PKV,00,1\r\n"));

    // The local grid sentence is an engineering output: without its mask the PKVB node keeps it.
    EXPECT_EQ(Node(u"PKVB"), Find("$PKVB,02,123519.00\r\n"));
    MessageMask = MASK_ORDINARY | MASK_EXPERT;
    EXPECT_EQ(Node(u"PKVB02"), Find("$PKVB,02,123519.00\r\n"));

    // Every length up to a whole sentence is read within its bytes.
    const std::vector<uint8_t> sentence = Bytes("$PKVB,03,1,05,U,120,45,42,064*00\r\n");
    for (size_t count = 0; count <= sentence.size(); ++count) {
        GuardedBytes guarded(sentence, count);
        Root()->Find(guarded.data(), static_cast<int>(count), ~0u);
    }
}

TEST_F(PkvbSentenceTest, KeepsTheSentenceAsTextWithoutItsTerminator) {
    const std::string sentence = NmeaTestSentence(Position("00", "123519.50", "G3"));
    ASSERT_EQ(std::vector<CMessageNode*>{Node(u"PKVB00")}, Feed(sentence));
    for (CMessageNode* node : {Node(u"PKVB"), Node(u"PKVB00")}) {
        ASSERT_NE(nullptr, node->Text());
        EXPECT_EQ(sentence.substr(0, sentence.size() - 2), platform::WideToAnsi(node->Text()));
    }
}

TEST_F(PkvbSentenceTest, ThePageListsTheSentencesFieldsUpToItsChecksum) {
    CMessageNode* node = Node(u"PKVB04");
    CMemoryPage page(*PageTemplateOf(*node));
    node->InitPage(page);
    const std::string sentence = NmeaTestSentence("PKVB,04,123519.00,,302387.00");
    node->ShowData(page, Bytes(sentence).data(), static_cast<int>(sentence.size()));
    ASSERT_EQ(page.RowCount(1357), 5);
    EXPECT_EQ(page.CellText(1357, 0, 1), u"$PKVB");
    EXPECT_EQ(page.CellText(1357, 3, 1), u"");
    EXPECT_EQ(page.CellText(1357, 4, 0), u"4");
    EXPECT_EQ(page.CellText(1357, 4, 1), u"302387.00");
    node->ShowData(page, nullptr, 0);
    EXPECT_EQ(page.RowCount(1357), 0);
}

TEST_F(PkvbSentenceTest, PollsWithATextQueryAndSwitchesWithCfgMsg) {
    CMemoryPage page;
    std::vector<uint8_t> buffer(16, 0xEE);
    int length = 0;
    ASSERT_EQ(13, Node(u"PKVB04")->BuildPoll(page, buffer.data(), length, 16));
    EXPECT_EQ(NmeaTestSentence("PKVB,04"), std::string(buffer.begin(), buffer.begin() + length));
    // A query that does not fit is not sent cut short.
    std::vector<uint8_t> small(12, 0xEE);
    EXPECT_EQ(0, Node(u"PKVB04")->BuildPoll(page, small.data(), length, 12));
    EXPECT_EQ(std::vector<uint8_t>(12, 0xEE), small);

    ASSERT_TRUE(Node(u"PKVB03")->BuildRateCommand(true, buffer.data(), length, 16));
    EXPECT_EQ((std::vector<uint8_t>{0xA4, 0x51, 0x06, 0x01, 0x03, 0x00, 0xF1, 0x03, 0x01, 0xFF, 0x19}),
              std::vector<uint8_t>(buffer.begin(), buffer.begin() + length));
    ASSERT_TRUE(Node(u"PKVB00")->BuildRateCommand(false, buffer.data(), length, 11));
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0xF1, 0x00, 0x00}), std::vector<uint8_t>(buffer.begin(), buffer.begin() + 11));
    EXPECT_FALSE(Node(u"PKVB00")->BuildRateCommand(true, small.data(), length, 10));
    EXPECT_EQ(std::vector<uint8_t>(12, 0xEE), small);
    EXPECT_FALSE(Node(u"PKVB")->BuildRateCommand(true, buffer.data(), length, 16));
}

TEST_F(PkvbSentenceTest, PositionDataStoresTheFixItsMotionAndItsQuality) {
    ASSERT_EQ(Node(u"PKVB00"), Send(Position("00", "123519.50", "G3")));
    EXPECT_DOUBLE_EQ(12 * 3600 + 35 * 60 + 19.5, Value(kUtc));
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_NEAR((11 + 31.0 / 60) * kDegree, Value(kLongitude), 1e-12);
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveEllipsoid));
    EXPECT_EQ(4, Value(kNavigationMode));
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(0, Value(kDgpsUsed));
    EXPECT_DOUBLE_EQ(2.1, Value(kPositionAccuracyHorizontal));
    EXPECT_DOUBLE_EQ(3.4, Value(kPositionAccuracyVertical));
    EXPECT_NEAR(10.0, Value(kSpeedOverGround), 1e-12);
    EXPECT_NEAR(-90 * kDegree, Value(kCourseOverGround), 1e-12);
    EXPECT_DOUBLE_EQ(-0.5, Value(kVelocityDown));
    EXPECT_DOUBLE_EQ(0.9, Value(kHdop));
    EXPECT_DOUBLE_EQ(1.2, Value(kVdop));
    EXPECT_DOUBLE_EQ(1.1, Value(kTdop));
    EXPECT_EQ(8, Value(kSatellitesUsed));

    // The grid sentences share all but the geodetic position; impossible motion is left out.
    ASSERT_EQ(Node(u"PKVB01"), Send(Position("01", "123520.50", "D2", "-5,400")));
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveEllipsoid));
    EXPECT_DOUBLE_EQ(12 * 3600 + 35 * 60 + 20.5, Value(kUtc));
    EXPECT_EQ(2, Value(kNavigationMode));
    EXPECT_EQ(1, Value(kDgpsUsed));
    EXPECT_NEAR(10.0, Value(kSpeedOverGround), 1e-12);
    EXPECT_NEAR(-90 * kDegree, Value(kCourseOverGround), 1e-12);
}

TEST_F(PkvbSentenceTest, NavigationStatusCodes) {
    struct Case {
        const char* code;
        double mode, ok, dgps;
    };
    const Case cases[] = {
        {"G3", 4, 1, 0}, {"D1", 1, 1, 1}, {"DR", 0, 1, 1}, {"G2", 2, 1, 0},  {"NF", 2, 0, 0},
        {"G9", 2, 1, 0}, {"DA", 0, 1, 0}, {"XX", 0, 1, 0}, {"G3X", 0, 1, 0}, {"", 0, 1, 0},
    };
    int second = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        Send(Position("01", "1235" + std::to_string(10 + second++), c.code));
        EXPECT_EQ(c.mode, Value(kNavigationMode));
        EXPECT_EQ(c.ok, Value(kNavigationValid));
        EXPECT_EQ(c.dgps, Value(kDgpsUsed));
    }
}

TEST_F(PkvbSentenceTest, SatelliteDataStoresEachSatelliteAndTheTrackedSet) {
    ASSERT_EQ(Node(u"PKVB03"), Send("PKVB,03,5,05,U,120,45,42,064,12,e,300,-5,35,010,127,-,010,20,30,000,"
                                    "07,-,,,,000,99,U,010,10,40,000"));
    EXPECT_EQ(2, Satellite(5, kSatelliteMode));
    EXPECT_NEAR(120 * kDegree, Satellite(5, kSatelliteAzimuth), 1e-12);
    EXPECT_NEAR(45 * kDegree, Satellite(5, kSatelliteElevation), 1e-12);
    EXPECT_EQ(42, Satellite(5, kSatelliteCn0));
    EXPECT_EQ(2, Satellite(12, kSatelliteMode));
    EXPECT_NEAR(-60 * kDegree, Satellite(12, kSatelliteAzimuth), 1e-12);
    EXPECT_NEAR(-5 * kDegree, Satellite(12, kSatelliteElevation), 1e-12);
    EXPECT_EQ(1, Satellite(127, kSatelliteMode));  // SBAS satellites keep their own numbers
    EXPECT_EQ(30, Satellite(127, kSatelliteCn0));
    EXPECT_EQ(0, Satellite(7, kSatelliteMode));
    EXPECT_FALSE(SatelliteValid(7, kSatelliteCn0));
    EXPECT_FALSE(SatelliteValid(7, kSatelliteAzimuth));
    const uint64_t expected =
        (uint64_t{1} << SatelliteSlot(5)) | (uint64_t{1} << SatelliteSlot(12)) | (uint64_t{1} << SatelliteSlot(127));
    EXPECT_EQ(expected, Mask(kTrackedList));
    EXPECT_EQ(3, Value(kSatellitesTracked));

    // 33 has no slot of its own: it does not stand for SBAS 120 as in the standard sentences.
    ASSERT_EQ(Node(u"PKVB03"), Send("PKVB,03,2,120,-,200,10,25,000,33,U,100,20,40,050"));
    EXPECT_EQ(1, Satellite(120, kSatelliteMode));
    EXPECT_EQ(25, Satellite(120, kSatelliteCn0));
    EXPECT_NEAR(-160 * kDegree, Satellite(120, kSatelliteAzimuth), 1e-12);
    EXPECT_EQ(1, Value(kSatellitesTracked));

    // A count the sentence does not hold ends with its last group.
    ASSERT_EQ(Node(u"PKVB03"), Send("PKVB,03,2000000000,05,-,121,46,41,064"));
    EXPECT_EQ(1, Satellite(5, kSatelliteMode));
    EXPECT_NEAR(121 * kDegree, Satellite(5, kSatelliteAzimuth), 1e-12);
    EXPECT_EQ(1, Value(kSatellitesTracked));
}

TEST_F(PkvbSentenceTest, TimeOfDayStoresUtcGpsTimeAndTheClock) {
    ASSERT_EQ(Node(u"PKVB04"), Send("PKVB,04,123519.50,070625,302387.50,2370,302405.50,1234567,-2660.5,21"));
    EXPECT_DOUBLE_EQ(DaysFromCivil(2025, 6, 7) * 86400.0 + 12 * 3600 + 35 * 60 + 19.5, Value(kUtc));
    EXPECT_DOUBLE_EQ(2370 * 604800.0 + 302405.5, Value(kGpsTime));
    EXPECT_DOUBLE_EQ(1234.567, Value(kClockBias));
    EXPECT_DOUBLE_EQ(-2.6605, Value(kClockDrift));
}

TEST_F(PkvbSentenceTest, ASentenceOfAKindAlreadyDecodedOrAnotherTimeOpensAnEpoch) {
    Send(Position("00", "123519.00", "G3"));
    Send("PKVB,04,123519.00,070625,302387.00,2370,302405.00,1234567,-2660.5,21");
    Send("PKVB,03,1,05,U,120,45,42,064");
    EXPECT_EQ(0u, ClosedEpochs());
    Send("PKVB,03,1,05,U,120,45,42,064");
    EXPECT_EQ(1u, ClosedEpochs());
    Send(Position("00", "123520.00", "G3"));
    EXPECT_EQ(1u, ClosedEpochs());
    Send(Position("01", "123521.00", "G3"));
    EXPECT_EQ(2u, ClosedEpochs());
}

}  // namespace
