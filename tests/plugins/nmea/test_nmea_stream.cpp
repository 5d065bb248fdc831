#include <string>
#include <vector>

#include "shared/entry_ids.h"
#include "shared/calendar.h"
#include "shared/satellite_slots.h"
#include "tests/plugins/nmea/nmea_document_test.h"

namespace {

using namespace entry;

constexpr double kPi = 3.1415926535898;
constexpr double kDegree = kPi / 180;
constexpr int kSeconds = 6;

std::string TwoDigits(int n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

// A GSV cycle of 1 to 4 pages with satellites 1, 2, ...: the last page carries three.
std::string GsvCycle(int pages) {
    const int inView = 4 * pages - 1;
    std::string cycle;
    for (int page = 1; page <= pages; ++page) {
        std::string body = "GPGSV," + std::to_string(pages) + "," + std::to_string(page) + "," + TwoDigits(inView);
        for (int satellite = 4 * page - 3; satellite <= std::min(4 * page, inView); ++satellite)
            body += "," + TwoDigits(satellite) + "," + TwoDigits(10 + satellite) + ",0" + TwoDigits(satellite) + "0," +
                    TwoDigits(30 + satellite);
        cycle += NmeaTestSentence(body);
    }
    return cycle;
}

// What a receiver sends in one second, as it sends it: CR LF after every sentence.
std::string OneSecond(int second) {
    const std::string time = "1235" + TwoDigits(second) + ".00";
    const char* const bodies[] = {
        "GPGGA,#,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,",
        "GPGLL,4807.038,N,01131.000,E,#,A,A",
        "GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1",
        "",
        "GPRMC,#,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A",
        "GPVTG,084.4,T,087.5,M,022.4,N,041.5,K,A",
        "GPZDA,#,23,03,1994,00,00",
        "GPGST,#,1.0,2.0,1.5,45.0,1.0,1.2,2.0",
        "GPTXT,01,01,02,ANTENNA OK",
    };
    std::string stream;
    for (std::string body : bodies) {
        if (body.empty()) {
            stream += GsvCycle(1 + second % 4);
            continue;
        }
        if (const size_t mark = body.find('#'); mark != std::string::npos) body.replace(mark, 1, time);
        stream += NmeaTestSentence(body);
    }
    return stream;
}

double UtcOf(int second) {
    return static_cast<double>(DaysFromCivil(1994, 3, 23)) * 86400 + 12 * 3600 + 35 * 60 + second;
}

using NmeaStreamTest = NmeaDocumentTest;

TEST_F(NmeaStreamTest, ClosesOneEpochPerSecond) {
    std::string stream;
    for (int second = 0; second < kSeconds; ++second) stream += OneSecond(second);
    for (CMessageNode* node : Feed(stream)) {
        ASSERT_NE(nullptr, node);
        EXPECT_NE(u"?????", std::u16string(node->Name())) << "a sentence ended at a catch-all node";
        EXPECT_NE(Root(), node);
    }
    // The last second is still being collected.
    ASSERT_EQ(static_cast<size_t>(kSeconds - 1), ClosedEpochs());
    const auto* utc = document.Database().FindAs<CStorageValue>(kUtc);
    const auto* tracked = document.Database().FindAs<CStorageValue>(kSatellitesTracked);
    for (int second = 0; second < kSeconds - 1; ++second) {
        EXPECT_DOUBLE_EQ(UtcOf(second), utc->GetSnapshotValue(document.History(), document.History()[second]));
        EXPECT_EQ(4 * (1 + second % 4) - 1, tracked->GetSnapshotValue(document.History(), document.History()[second]));
    }
    Send("GPGGA,123506.00,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,");
    EXPECT_EQ(static_cast<size_t>(kSeconds), ClosedEpochs());
}

TEST_F(NmeaStreamTest, FillsTheDatabase) {
    Feed(OneSecond(0) + OneSecond(1));
    EXPECT_DOUBLE_EQ(UtcOf(1), Value(kUtc));
    EXPECT_NEAR((48 + 7.038 / 60) * kDegree, Value(kLatitude), 1e-12);
    EXPECT_NEAR((11 + 31.0 / 60) * kDegree, Value(kLongitude), 1e-12);
    EXPECT_DOUBLE_EQ(545.4, Value(kHeightAboveSeaLevel));
    EXPECT_DOUBLE_EQ(545.4 + 46.9, Value(kHeightAboveEllipsoid));
    EXPECT_NEAR(22.4 * 1852 / 3600, Value(kSpeedOverGround), 1e-12);
    EXPECT_NEAR(84.4 * kDegree, Value(kCourseOverGround), 1e-12);
    EXPECT_EQ(4, Value(kNavigationMode));
    EXPECT_EQ(1, Value(kNavigationValid));
    EXPECT_EQ(5, Value(kSatellitesUsed));
    EXPECT_DOUBLE_EQ(1.3, Value(kHdop));
    EXPECT_DOUBLE_EQ(2.5, Value(kPdop));
    EXPECT_EQ(7, Value(kSatellitesTracked));
    EXPECT_EQ(uint64_t{0x7F}, Mask(kTrackedList));
    EXPECT_NEAR(15 * kDegree, Value(SatelliteItemId(4, kSatelliteElevation)), 1e-12);
    EXPECT_EQ(35, Value(SatelliteItemId(4, kSatelliteCn0)));
    // Values the host derives from them.
    EXPECT_TRUE(IsValid(kGpsTime));
    EXPECT_TRUE(IsValid(kEcefX));
    EXPECT_TRUE(IsValid(kVelocityNorth));
}

}  // namespace
