// A receiver that speaks both protocols at once: KVB frames and NMEA sentences interleaved in one
// byte stream, cut by the real splitter with both real plug-ins loaded by the real document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"
#include "tests/plugins/kvb/kvb_test_stream.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

using ByteString = std::vector<uint8_t>;

struct Piece {
    ByteString bytes;
    const char16_t* protocol;  // the root that must take it
    const char16_t* name;      // the node that must take it
};

ByteString Text(const std::string& text) { return {text.begin(), text.end()}; }

constexpr uint32_t kFirstTimeOfWeek = 302400000;                // ms
constexpr uint16_t kDops[] = {210, 180, 110, 150, 95, 70, 64};  // 0.01: G, P, T, V, H, N, E

ByteString NavDop(int second) {
    KvbTestEpoch epoch{};
    epoch.iTow = kFirstTimeOfWeek + 1000 * static_cast<uint32_t>(second);
    std::copy(std::begin(kDops), std::end(kDops), epoch.dop);
    return NavDopFrame(epoch);
}

// A version report whose text is a complete, valid sentence: it is binary payload all the same.
ByteString MonVerHoldingASentence() {
    ByteString payload = Text(NmeaTestSentence("GPTXT,01,01,02,inside"));
    payload.resize(40);
    return KvbTestFrame(0x0A, 0x04, payload);
}

// One second of output: binary and text messages of the same epoch, and line noise.
std::vector<Piece> OneSecond(int second) {
    const std::string time = "12351" + std::to_string(second) + ".00";
    return {
        {NavDop(second), u"KVB", u"NAV-DOP"},
        {Text(NmeaTestSentence("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")), u"NMEA",
         u"GPGGA"},
        {MonVerHoldingASentence(), u"KVB", u"MON-VER"},
        {Text(NmeaTestSentence("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A")), u"NMEA",
         u"GPRMC"},
        {Text(NmeaTestSentence("GPGSV,2,1,05,01,10,010,40,02,20,020,41,03,30,030,42,04,40,040,43")), u"NMEA", u"GPGSV"},
        {Text(NmeaTestSentence("GPGSV,2,2,05,05,10,050,44")), u"NMEA", u"GPGSV"},
        {Text("\x13\x37 noise \xA4"), u"UNKNOWN", nullptr},
        {Text(NmeaTestSentence("PKVB,99,proprietary")), u"NMEA", nullptr},
    };
}

class MixedStreamTest : public ::testing::TestWithParam<size_t> {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, document.Plugins().RootOf(u"KVB"));
        ASSERT_NE(nullptr, document.Plugins().RootOf(u"NMEA"));
        document.Plugins().RegisterWith(splitter);
    }

    struct Taken {
        ByteString bytes;
        CMessageNode* node;
    };

    // Feeds the stream in reads of the given size, as a serial port delivers it.
    std::vector<Taken> FeedInReads(const ByteString& stream, size_t readSize) {
        std::vector<Taken> taken;
        for (size_t at = 0; at < stream.size(); at += readSize)
            FeedStream(
                splitter, stream.data() + at, std::min(readSize, stream.size() - at), [&](const FrameRecord& record) {
                    taken.push_back(
                        {ByteString(record.bytes, record.bytes + record.length), document.ProcessRecord(record, true)});
                });
        return taken;
    }

    double Snapshot(uint16_t id, const CEpochSnapshot& snapshot) {
        const auto* value = document.Database().FindAs<CStorageValue>(id);
        return value ? value->GetSnapshotValue(document.History(), snapshot) : NAN;
    }

    bool IsUnder(CMessageNode* node, const char16_t* protocol) {
        if (std::u16string(protocol) == u"UNKNOWN") return node == &document.Plugins().UnknownRoot();
        return node->IsDescendantOf(document.Plugins().RootOf(protocol));
    }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
};

TEST_P(MixedStreamTest, EveryFrameReachesItsOwnNode) {
    std::vector<Piece> pieces;
    for (int second = 0; second < 3; ++second)
        for (Piece& piece : OneSecond(second)) pieces.push_back(std::move(piece));
    ByteString stream;
    for (const Piece& piece : pieces) stream.insert(stream.end(), piece.bytes.begin(), piece.bytes.end());

    const std::vector<Taken> taken = FeedInReads(stream, GetParam());
    ASSERT_EQ(pieces.size(), taken.size());
    for (size_t i = 0; i < pieces.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].bytes, taken[i].bytes);
        ASSERT_NE(nullptr, taken[i].node);
        EXPECT_TRUE(IsUnder(taken[i].node, pieces[i].protocol));
        if (pieces[i].name) {
            EXPECT_EQ(std::u16string(pieces[i].name), taken[i].node->Name());
        }
    }

    // Both plug-ins decoded into the same epochs, one per second: the binary frame opens each.
    ASSERT_EQ(2u, document.History().Count());
    for (size_t second = 0; second < 2; ++second) {
        SCOPED_TRACE(second);
        const CEpochSnapshot& snapshot = document.History()[second];
        EXPECT_DOUBLE_EQ((kFirstTimeOfWeek + 1000.0 * second) / 1000, Snapshot(entry::kTimeTag, snapshot));
        EXPECT_DOUBLE_EQ(2.1, Snapshot(entry::kGdop, snapshot));
        EXPECT_DOUBLE_EQ(0.64, Snapshot(entry::kEdop, snapshot));
        EXPECT_DOUBLE_EQ(0.9, Snapshot(entry::kHdop, snapshot));  // GGA came after NAV-DOP
        EXPECT_NEAR((48 + 7.038 / 60) * 3.1415926535898 / 180, Snapshot(entry::kLatitude, snapshot), 1e-12);
        EXPECT_NEAR(22.4 * 1852 / 3600, Snapshot(entry::kSpeedOverGround, snapshot), 1e-12);
        EXPECT_EQ(5, Snapshot(entry::kSatellitesTracked, snapshot));
        EXPECT_EQ(12 * 3600 + 35 * 60 + 10 + second, std::fmod(Snapshot(entry::kUtc, snapshot), 86400));
    }
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, MixedStreamTest, ::testing::Values(1, 7, 64, 4096));

}  // namespace
