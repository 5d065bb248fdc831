// A receiver that speaks both protocols at once: KVB frames and NMEA sentences interleaved in one
// byte stream, cut by the real splitter with both real plug-ins loaded by the real document.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "host/core/entry_ids.h"
#include "host/core/veltro_doc.h"
#include "shared/storage_values.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

using ByteString = std::vector<uint8_t>;

struct Piece {
    ByteString bytes;
    const char16_t* protocol;  // the root that must take it
    const char16_t* name;      // the node that must take it
};

ByteString Text(const std::string& text) { return {text.begin(), text.end()}; }

// One second of output: binary solution, sentences, a binary frame whose payload looks like a
// sentence, a GSV cycle, and line noise.
std::vector<Piece> OneSecond(int second) {
    const std::string time = "12351" + std::to_string(second) + ".00";
    const ByteString textPayload = Text("$GPTXT,01,01,02,");
    return {
        {KvbTestFrameOfLength(0x01, 0x02, 36, {{6, static_cast<uint8_t>(second)}}), u"KVB", u"NAV-POSLLH"},
        {Text(NmeaTestSentence("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")), u"NMEA",
         u"GPGGA"},
        {KvbTestFrameOfLength(0x01, 0x06, 60), u"KVB", u"NAV-SOL"},
        {Text(NmeaTestSentence("GPRMC," + time + ",A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W,A")), u"NMEA",
         u"GPRMC"},
        {KvbTestFrame(0x01, 0x20, textPayload), u"KVB", u"NAV-TIMEGPS"},
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

    // The sentences between the binary frames were decoded, a second of them per epoch.
    const auto* latitude = document.Database().FindAs<CStorageValue>(entry::kLatitude);
    ASSERT_NE(nullptr, latitude);
    EXPECT_NEAR((48 + 7.038 / 60) * 3.1415926535898 / 180, latitude->GetValue(), 1e-12);
    const auto* tracked = document.Database().FindAs<CStorageValue>(entry::kSatellitesTracked);
    EXPECT_EQ(5, tracked->GetValue());
    EXPECT_LE(2u, document.History().Count());
}

INSTANTIATE_TEST_SUITE_P(ReadSizes, MixedStreamTest, ::testing::Values(1, 7, 64, 4096));

}  // namespace
