// The proprietary sentences belong to kvb.so but travel among the standard sentences of nmea.so:
// both real plug-ins, loaded in either order, share the NMEA root, and a receiver's stream of
// KVB frames, standard and proprietary sentences reaches the right nodes and epochs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "shared/entry_ids.h"
#include "shared/protocol_object.h"
#include "shared/satellite_slots.h"
#include "shared/storage_values.h"
#include "tests/plugins/kvb/kvb_test_stream.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kFirstTimeOfWeek = 302400000;  // ms

// A folder holding both plug-ins under names that make the host load them in the given order.
class PluginFolder {
public:
    explicit PluginFolder(bool kvbFirst)
        : path(fs::temp_directory_path() / ("veltro-pkvb-" + std::to_string(::getpid()) + (kvbFirst ? "-k" : "-n"))) {
        fs::create_directories(path);
        fs::create_symlink(fs::path(VELTRO_PLUGIN_DIR) / "kvb.so", path / (kvbFirst ? "1.so" : "2.so"));
        fs::create_symlink(fs::path(VELTRO_PLUGIN_DIR) / "nmea.so", path / (kvbFirst ? "2.so" : "1.so"));
    }
    ~PluginFolder() { fs::remove_all(path); }

    std::string Name() const { return path.string() + "/"; }

private:
    fs::path path;
};

struct Piece {
    std::string text;
    const char16_t* name;  // the node that must take it
};

std::vector<uint8_t> NavDop(int second) {
    KvbTestEpoch epoch{};
    epoch.iTow = kFirstTimeOfWeek + 1000 * static_cast<uint32_t>(second);
    std::fill(std::begin(epoch.dop), std::end(epoch.dop), uint16_t{150});
    return NavDopFrame(epoch);
}

// One second of a receiver that speaks everything at once.
std::vector<Piece> OneSecond(int second) {
    const std::string time = "12351" + std::to_string(second) + ".00";
    const std::string velocityDown = "-0." + std::to_string(second + 1);
    const std::vector<uint8_t> dop = NavDop(second);
    return {
        {std::string(dop.begin(), dop.end()), u"NAV-DOP"},
        {NmeaTestSentence("GPGGA," + time + ",4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,"), u"GPGGA"},
        {NmeaTestSentence("PKVB,00," + time + ",4807.038,N,01131.000,E,592.3,G3,2.1,3.4,36.0,90.0," + velocityDown +
                          ",,0.9,1.2,1.1,8,0,0"),
         u"PKVB00"},
        {NmeaTestSentence("pkvb,03,2,05,U,120,45,42,064,127,-,010,20,30,000"), u"PKVB03"},
        {NmeaTestSentence("PKVB,04," + time + ",070625,302387.00,2370,30240" + std::to_string(second) +
                          ".00,1234567,-2660.5,21"),
         u"PKVB04"},
        {NmeaTestSentence("PKVB,99,proprietary"), u"PKVB"},
        {NmeaTestSentence("GPZDA," + time + ",07,06,2025,00,00"), u"GPZDA"},
    };
}

class PkvbStreamTest : public ::testing::TestWithParam<bool> {
protected:
    PkvbStreamTest() : folder(GetParam()), document(DocumentSettings{900, folder.Name(), nullptr}) {}

    void SetUp() override {
        ASSERT_NE(nullptr, document.Plugins().RootOf(u"KVB"));
        ASSERT_NE(nullptr, document.Plugins().RootOf(u"NMEA"));
        ASSERT_EQ(GetParam() ? u"KVB" : u"NMEA",
                  std::u16string(document.Plugins().Plugins().front().protocol->GetProtocolName()));
        document.Plugins().RegisterWith(splitter);
    }

    std::vector<std::u16string> Labels() {
        CMessageNode* root = document.Plugins().RootOf(u"NMEA");
        std::vector<std::u16string> labels;
        for (auto position = root->GetFirstChild(); position;) labels.push_back(root->GetNextChild(position)->Label());
        return labels;
    }

    double Snapshot(uint16_t id, size_t epoch) {
        const auto* value = document.Database().FindAs<CStorageValue>(id);
        return value ? value->GetSnapshotValue(document.History(), document.History()[epoch]) : NAN;
    }

    PluginFolder folder;
    CVeltroDoc document;
    CFrameSplitter splitter;
};

TEST_P(PkvbStreamTest, ProprietarySentencesTakeTheirPlaceWhicheverPlugInLoadsFirst) {
    const std::vector<std::u16string> labels = Labels();
    ASSERT_EQ(15u, labels.size());
    EXPECT_TRUE(std::is_sorted(labels.begin(), labels.end() - 2));
    EXPECT_EQ(u"GPZDA (Time & Date)", labels[11]);
    EXPECT_EQ(u"PKVB", labels[12]);
    EXPECT_EQ((std::vector<std::u16string>{u"????? (Unknown)", u"????? (Custom)"}),
              std::vector<std::u16string>(labels.end() - 2, labels.end()));
}

TEST_P(PkvbStreamTest, SentencesAmongFramesReachTheirNodesAndEpochs) {
    std::vector<Piece> pieces;
    for (int second = 0; second < 3; ++second)
        for (Piece& piece : OneSecond(second)) pieces.push_back(std::move(piece));
    std::string stream;
    for (const Piece& piece : pieces) stream += piece.text;

    std::vector<std::u16string> taken;
    for (size_t at = 0; at < stream.size(); at += 7)
        FeedStream(splitter, reinterpret_cast<const uint8_t*>(stream.data()) + at,
                   std::min<size_t>(7, stream.size() - at),
                   [&](const FrameRecord& record) { taken.push_back(document.ProcessRecord(record, true)->Name()); });
    std::vector<std::u16string> expected;
    for (const Piece& piece : pieces) expected.push_back(piece.name);
    EXPECT_EQ(expected, taken);

    // The binary frame opens each epoch; every sentence of the second decodes into it.
    ASSERT_EQ(2u, document.History().Count());
    for (size_t second = 0; second < 2; ++second) {
        SCOPED_TRACE(second);
        EXPECT_DOUBLE_EQ((kFirstTimeOfWeek + 1000.0 * second) / 1000, Snapshot(entry::kTimeTag, second));
        EXPECT_DOUBLE_EQ(-0.1 * (second + 1), Snapshot(entry::kVelocityDown, second));
        EXPECT_DOUBLE_EQ(592.3, Snapshot(entry::kHeightAboveEllipsoid, second));
        EXPECT_DOUBLE_EQ(2370 * 604800.0 + 302400 + second, Snapshot(entry::kGpsTime, second));
        EXPECT_DOUBLE_EQ(1234.567, Snapshot(entry::kClockBias, second));
        EXPECT_EQ(2, Snapshot(entry::kSatellitesTracked, second));
        EXPECT_EQ(4, Snapshot(entry::kNavigationMode, second));
    }
}

INSTANTIATE_TEST_SUITE_P(LoadOrders, PkvbStreamTest, ::testing::Values(true, false),
                         [](const auto& info) { return std::string(info.param ? "KvbFirst" : "NmeaFirst"); });

}  // namespace
