// The simulated receiver heard by the real host: its output cut by the splitter and decoded by
// the real plug-ins must tell the simulator's truth, and the commands the host builds from its
// message tree must change what the receiver sends.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/page_template.h"
#include "platform/text.h"
#include "plugins/kvb/framing/kvb_frame.h"
#include "shared/entry_ids.h"
#include "shared/memory_page.h"
#include "shared/storage_values.h"
#include "tests/tools/sim/sim_test_start.h"
#include "tools/cli/receiver_commands.h"
#include "tools/sim/sim_geodesy.h"
#include "tools/sim/sim_receiver.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr double kRadiansPerDegree = 3.1415926535898 / 180;

SimReceiverConfig Config(bool kvb, bool nmea) {
    SimReceiverConfig config;
    config.truth.startGpsMs = TestStartGpsMs();
    config.truth.trajectory.motion = SimMotion::Drive;
    config.kvb = kvb;
    config.nmea = nmea;
    return config;
}

Bytes KvbFrame(uint8_t messageClass, uint8_t id, const Bytes& payload) {
    Bytes frame(payload.size() + kKvbFrameOverhead);
    int length = 0;
    KvbBuildFrame(messageClass, id, payload, frame.data(), length, static_cast<int>(frame.size()));
    return frame;
}

class SimReceiverTest : public ::testing::Test {
protected:
    SimReceiverTest() { document.Plugins().RegisterWith(splitter); }

    // The bytes through the host; the names of the messages that took them.
    std::vector<std::u16string> Hear(const Bytes& bytes) {
        std::vector<std::u16string> names;
        FeedStream(splitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { names.push_back(document.ProcessRecord(record, false)->Name()); });
        return names;
    }
    std::vector<std::u16string> NextEpoch(CSimReceiver& receiver) {
        Bytes out;
        receiver.NextEpoch(out);
        return Hear(out);
    }
    // What the receiver answers to commands that the host builds from its message tree.
    std::vector<std::u16string> Command(CSimReceiver& receiver, const SendOptions& send) {
        std::vector<ReceiverCommand> commands;
        std::string badName;
        EXPECT_TRUE(BuildReceiverCommands(document, send, commands, badName)) << badName;
        Bytes answers;
        for (const ReceiverCommand& command : commands)
            receiver.Receive(command.bytes.data(), command.bytes.size(), answers);
        return Hear(answers);
    }
    Bytes Answer(CSimReceiver& receiver, const Bytes& command) {
        Bytes answer;
        receiver.Receive(command.data(), command.size(), answer);
        return answer;
    }
    // The last frame of each navigation message in the bytes, by id.
    std::map<uint8_t, Bytes> NavFrames(const Bytes& bytes) {
        std::map<uint8_t, Bytes> frames;
        FeedStream(splitter, bytes.data(), bytes.size(), [&](const FrameRecord& record) {
            if (record.length > 8 && record.bytes[2] == kKvbClassNav)
                frames[record.bytes[3]].assign(record.bytes, record.bytes + record.length);
        });
        return frames;
    }
    // The message's page, opened from the plug-in's template as the message view opens it.
    CMemoryPage Page(const char16_t* name, const Bytes& frame) {
        CMessageNode* node = document.FindNodeByProtocol(u"KVB", name, nullptr);
        CMemoryPage page(*PageTemplateOf(*node));
        node->InitPage(page);
        node->ShowData(page, frame.data(), static_cast<int>(frame.size()));
        return page;
    }
    double Value(uint16_t id) { return document.Database().FindAs<CStorageValue>(id)->GetValue(); }
    void ExpectNear(const std::array<uint16_t, 3>& ids, const SimEcef& truth, double tolerance) {
        SCOPED_TRACE(ids[0]);
        EXPECT_NEAR(Value(ids[0]), truth.x, tolerance);
        EXPECT_NEAR(Value(ids[1]), truth.y, tolerance);
        EXPECT_NEAR(Value(ids[2]), truth.z, tolerance);
    }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
};

SendOptions Polls(std::vector<std::string> names) {
    SendOptions send;
    send.polls = std::move(names);
    return send;
}

int Count(const std::vector<std::u16string>& names, const std::u16string& name) {
    return static_cast<int>(std::count(names.begin(), names.end(), name));
}

struct ProtocolCase {
    const char* name;
    bool kvb, nmea;
    double degrees, metres, speed;  // what the protocol's resolution lets through
};

class SimTruthThroughTheHost : public SimReceiverTest, public ::testing::WithParamInterface<ProtocolCase> {};

TEST_P(SimTruthThroughTheHost, DecodedValuesAreTheTruthOfEveryEpoch) {
    const ProtocolCase& p = GetParam();
    CSimReceiver receiver(Config(p.kvb, p.nmea));
    int withFix = 0;
    for (int n = 0; n < 120; ++n) {
        SCOPED_TRACE(n);
        Bytes out;
        const SimEpoch& truth = receiver.NextEpoch(out);
        Hear(out);
        EXPECT_NEAR(Value(entry::kUtc), truth.UtcMs() / 1000.0, 1e-6);
        // Over NMEA, which tells UTC alone, the host's leap seconds give the GPS time.
        EXPECT_NEAR(Value(entry::kGpsTime), truth.gpsMs / 1000.0, 1e-6);
        // GSV without satellites carries no count.
        if (truth.TrackedCount() > 0) {
            EXPECT_EQ(Value(entry::kSatellitesTracked), truth.TrackedCount());
        }
        EXPECT_EQ(Value(entry::kNavigationValid), truth.HasFix() ? 1 : 0);
        if (!truth.HasFix()) continue;
        ++withFix;
        EXPECT_NEAR(Value(entry::kLatitude), truth.latitude * kRadiansPerDegree, p.degrees * kRadiansPerDegree);
        EXPECT_NEAR(Value(entry::kLongitude), truth.longitude * kRadiansPerDegree, p.degrees * kRadiansPerDegree);
        EXPECT_NEAR(Value(entry::kHeightAboveSeaLevel), truth.heightMsl, p.metres);
        EXPECT_NEAR(Value(entry::kHeightAboveEllipsoid), truth.height, 2 * p.metres);
        EXPECT_NEAR(Value(entry::kSpeedOverGround), truth.GroundSpeed(), p.speed);
        EXPECT_EQ(Value(entry::kSatellitesUsed), truth.UsedCount());
        if (truth.fix == SimFix::ThreeD) {
            EXPECT_NEAR(Value(entry::kPdop), truth.dop.position, 0.005);
        }
        EXPECT_EQ(Value(entry::kDgpsUsed), truth.differential ? 1 : 0);
        if (truth.GroundSpeed() > 1) {
            const double course = Value(entry::kCourseOverGround) / kRadiansPerDegree;
            EXPECT_NEAR(std::remainder(course - truth.heading, 360.0), 0, 0.01);
        }
    }
    EXPECT_GT(withFix, 100);
}

INSTANTIATE_TEST_SUITE_P(Protocols, SimTruthThroughTheHost,
                         ::testing::Values(ProtocolCase{"KVB", true, false, 1e-7, 0.001, 0.01},
                                           ProtocolCase{"NMEA", false, true, 2e-7, 0.05, 0.002}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SimReceiverTest, EveryOutputReachesItsOwnMessageAndNothingIsUnrecognised) {
    CSimReceiver receiver(Config(true, true));
    for (int n = 0; n < 3; ++n) NextEpoch(receiver);
    const auto names = NextEpoch(receiver);
    for (const char16_t* name :
         {u"NAV-SOL", u"NAV-POSLLH", u"NAV-STATUS", u"NAV-DOP", u"NAV-VELNED", u"NAV-TIMEUTC", u"NAV-TIMEGPS",
          u"NAV-CLOCK", u"NAV-SVINFO", u"GPGGA", u"GPGLL", u"GPGSA", u"GPRMC", u"GPVTG", u"GPZDA"})
        EXPECT_EQ(1, Count(names, name)) << platform::WideToUtf8(name);
    EXPECT_GE(Count(names, u"GPGSV"), 2);
    EXPECT_EQ(0, Count(names, u"???"));
}

TEST_F(SimReceiverTest, SeveralSystemsSpeakAsTheTalkerGnWithAGsvPerSystemAndAGsaPerSystem) {
    SimReceiverConfig config = Config(true, true);
    SimSystems systems = 0;
    ASSERT_TRUE(ParseSimSystems("gps,glonass,galileo,beidou,qzss", systems));
    EXPECT_FALSE(ParseSimSystems("gps,mars", systems));
    ASSERT_TRUE(ParseSimSystems("gps,glonass,galileo,beidou,qzss", systems));
    config.truth.systems = systems;
    CSimReceiver receiver(config);
    for (int n = 0; n < 3; ++n) NextEpoch(receiver);
    const auto names = NextEpoch(receiver);
    for (const char16_t* name : {u"NAV-SOL", u"NAV-SVINFO", u"GNGGA", u"GNGLL", u"GNRMC", u"GNVTG", u"GNZDA"})
        EXPECT_EQ(1, Count(names, name)) << platform::WideToUtf8(name);
    EXPECT_EQ(5, Count(names, u"GNGSA"));
    for (const char16_t* name : {u"GPGSV", u"GLGSV", u"GAGSV", u"GBGSV", u"GQGSV"})
        EXPECT_GE(Count(names, name), 1) << platform::WideToUtf8(name);
    EXPECT_EQ(0, Count(names, u"?????"));
    EXPECT_EQ(0, Count(names, u"GPGGA"));
    EXPECT_GT(Value(entry::kSatellitesUsed), 14);
}

TEST_F(SimReceiverTest, RateCommandsFromTheMessageTreeSwitchOutputsOffAndOn) {
    CSimReceiver receiver(Config(true, true));
    auto before = NextEpoch(receiver);
    EXPECT_EQ(0, Count(before, u"NAV-POSECEF"));
    SendOptions switches;
    switches.enable = {"NAV-POSECEF"};
    switches.disable = {"NAV-SVINFO", "GPGSV"};
    EXPECT_TRUE(Command(receiver, switches).empty());
    const auto after = NextEpoch(receiver);
    EXPECT_EQ(1, Count(after, u"NAV-POSECEF"));
    EXPECT_EQ(0, Count(after, u"NAV-SVINFO"));
    EXPECT_EQ(0, Count(after, u"GPGSV"));
    EXPECT_EQ(1, Count(after, u"GPGGA"));
}

double Number(const std::u16string& text) { return std::stod(platform::WideToUtf8(text)); }

const SimSatellite* HighestSbas(const SimEpoch& epoch) {
    const SimSatellite* highest = nullptr;
    for (const SimSatellite& s : epoch.satellites)
        if (s.IsSbas() && s.tracked && (!highest || s.elevation > highest->elevation)) highest = &s;
    return highest;
}

// The messages that only their pages show, switched on from the message tree: the real plug-in's
// pages tell the simulator's truth, and each answers a poll once it is switched off again.
TEST_F(SimReceiverTest, TheMessagesOfThePagesTellTheTruthOnceSwitchedOnAndWhenPolled) {
    constexpr int kList = 1357;
    CSimReceiver receiver(Config(true, false));
    // Once the fix uses corrections.
    for (int epochs = 0; Value(entry::kDgpsUsed) != 1 && epochs < 30; ++epochs) NextEpoch(receiver);
    SendOptions switches;
    switches.enable = {"NAV-POSUTM", "NAV-DGPS", "NAV-SBAS", "NAV-SVPOS", "NAV-EKFSTATUS"};
    EXPECT_TRUE(Command(receiver, switches).empty());
    Bytes out;
    const SimEpoch& truth = receiver.NextEpoch(out);
    ASSERT_TRUE(truth.differential);
    const std::map<uint8_t, Bytes> frames = NavFrames(out);
    ASSERT_EQ(frames.size(), 14u);

    const SimUtm utm = SimUtmFromGeodetic(truth.latitude, truth.longitude);
    const CMemoryPage grid = Page(u"NAV-POSUTM", frames.at(0x08));
    EXPECT_NEAR(Number(grid.GetControlText(1002)), utm.easting, 0.006);
    EXPECT_NEAR(Number(grid.GetControlText(1003)), utm.northing, 0.006);
    EXPECT_NEAR(Number(grid.GetControlText(1004)), truth.heightMsl, 0.006);
    EXPECT_EQ(grid.GetControlText(1005), u"North");
    EXPECT_EQ(grid.GetControlText(1006), u"32");

    const SimSatellite* geo = HighestSbas(truth);
    ASSERT_NE(geo, nullptr);
    const CMemoryPage dgps = Page(u"NAV-DGPS", frames.at(0x31));
    EXPECT_EQ(dgps.CellText(kList, 2, 1), platform::FormatW(u"0x%04x", geo->svid));
    EXPECT_EQ(dgps.CellText(kList, 4, 1), u"PR+PRR");
    ASSERT_EQ(dgps.RowCount(kList), 5 + truth.UsedCount());
    const CMemoryPage sbas = Page(u"NAV-SBAS", frames.at(0x32));
    EXPECT_EQ(sbas.GetControlText(1002), platform::FormatW(u"%d", geo->svid));
    EXPECT_TRUE(sbas.IsChecked(1006));
    ASSERT_EQ(sbas.RowCount(kList), truth.UsedCount());
    int row = 0;
    for (const SimSatellite& s : truth.satellites) {
        if (!s.used) continue;
        EXPECT_EQ(dgps.CellText(kList, 5 + row, 0), platform::FormatW(u"CH%02d   SV%02d   (used)", s.channel, s.svid));
        EXPECT_EQ(sbas.CellText(kList, row++, 0), platform::FormatW(u"%02d", s.svid));
    }

    const CMemoryPage positions = Page(u"NAV-SVPOS", frames.at(0x33));
    ASSERT_EQ(positions.RowCount(kList), std::count_if(truth.satellites.begin(), truth.satellites.end(),
                                                       [](const SimSatellite& s) { return s.PositionKnown(); }));
    const SimSatellite& first = truth.satellites.front();
    EXPECT_EQ(positions.CellText(kList, 0, 0), platform::FormatW(u"%d", first.svid));
    EXPECT_NEAR(Number(positions.CellText(kList, 0, 2)), first.position.x, 0.5);
    EXPECT_NEAR(Number(positions.CellText(kList, 0, 4)), first.position.z, 0.5);

    const CMemoryPage ekf = Page(u"NAV-EKFSTATUS", frames.at(0x40));
    EXPECT_NEAR(Number(ekf.CellText(kList, 1, 1)), truth.GroundSpeed(), 0.5);
    EXPECT_NEAR((Number(ekf.CellText(kList, 3, 1)) - 32768) * 0.0030517578125, truth.yawRate, 0.003);
    EXPECT_EQ(ekf.CellText(kList, 10, 1), u"1000.0 [Ticks/km]");

    SendOptions off;
    off.disable = {"NAV-SBAS"};
    Command(receiver, off);
    EXPECT_EQ(Command(receiver, Polls({"NAV-SBAS"})), std::vector<std::u16string>{u"NAV-SBAS"});
}

// The proprietary sentences are switched on from the message tree; alone, they tell the truth.
TEST_F(SimReceiverTest, ProprietarySentencesTellTheTruthOnceSwitchedOn) {
    CSimReceiver receiver(Config(false, false));
    EXPECT_EQ((std::vector<std::u16string>{u"INF", u"GPTXT"}), NextEpoch(receiver))
        << "the start notice alone, in both protocols";
    SendOptions switches;
    switches.enable = {"PKVB00", "PKVB03", "PKVB04"};
    EXPECT_TRUE(Command(receiver, switches).empty());
    int withFix = 0;
    for (int n = 0; n < 60; ++n) {
        SCOPED_TRACE(n);
        Bytes out;
        const SimEpoch& truth = receiver.NextEpoch(out);
        ASSERT_EQ((std::vector<std::u16string>{u"PKVB00", u"PKVB03", u"PKVB04"}), Hear(out));
        EXPECT_NEAR(Value(entry::kUtc), truth.UtcMs() / 1000.0, 1e-6);
        EXPECT_NEAR(Value(entry::kGpsTime), truth.gpsMs / 1000.0, 1e-6);
        EXPECT_NEAR(Value(entry::kClockBias), truth.clockBiasNs * 0.001, 0.00051);  // whole ns
        EXPECT_EQ(Value(entry::kSatellitesTracked), truth.TrackedCount());
        EXPECT_EQ(Value(entry::kNavigationValid), truth.HasFix() ? 1 : 0);
        if (!truth.HasFix()) continue;
        ++withFix;
        EXPECT_NEAR(Value(entry::kLatitude), truth.latitude * kRadiansPerDegree, 2e-7 * kRadiansPerDegree);
        EXPECT_NEAR(Value(entry::kLongitude), truth.longitude * kRadiansPerDegree, 2e-7 * kRadiansPerDegree);
        EXPECT_NEAR(Value(entry::kHeightAboveEllipsoid), truth.height, 0.001);
        EXPECT_NEAR(Value(entry::kSpeedOverGround), truth.GroundSpeed(), 0.001);
        EXPECT_NEAR(Value(entry::kVelocityDown), truth.velocity.down, 0.001);
        EXPECT_EQ(Value(entry::kSatellitesUsed), truth.UsedCount());
        EXPECT_EQ(Value(entry::kNavigationMode), truth.fix == SimFix::ThreeD ? 4 : 2);
        EXPECT_EQ(Value(entry::kDgpsUsed), truth.differential ? 1 : 0);
        EXPECT_NEAR(Value(entry::kHdop), truth.dop.horizontal, 0.005);
        // The sentences carry neither ECEF nor the height above sea level: the host's geodesy and
        // geoid derive them, the simulator's own gave the truth. The two geoid grids differ by
        // 2.6 m here.
        ExpectNear({entry::kEcefX, entry::kEcefY, entry::kEcefZ}, truth.ecef, 0.015);
        ExpectNear({entry::kVelocityX, entry::kVelocityY, entry::kVelocityZ}, truth.ecefVelocity, 0.002);
        EXPECT_NEAR(Value(entry::kHeightAboveSeaLevel), truth.heightMsl, 3);
    }
    EXPECT_GT(withFix, 50);

    switches.enable.clear();
    switches.disable = {"PKVB03"};
    EXPECT_TRUE(Command(receiver, switches).empty());
    EXPECT_EQ((std::vector<std::u16string>{u"PKVB00", u"PKVB04"}), NextEpoch(receiver));
}

TEST_F(SimReceiverTest, ARateOfTwoOutputsEverySecondSolution) {
    CSimReceiver receiver(Config(true, false));
    Answer(receiver, KvbFrame(kKvbClassCfg, kKvbIdCfgMsg, {kKvbClassNav, 0x06, 2}));
    std::vector<int> solutions;
    for (int n = 0; n < 6; ++n) solutions.push_back(Count(NextEpoch(receiver), u"NAV-SOL"));
    EXPECT_EQ((std::vector<int>{1, 0, 1, 0, 1, 0}), solutions);
    // The same as the configuration editor writes it: one rate per target, the receiver's port 1.
    Answer(receiver, KvbFrame(kKvbClassCfg, kKvbIdCfgMsg, {kKvbClassNav, 0x06, 0, 1, 0, 0}));
    EXPECT_EQ(1, receiver.Rates().Rate({kKvbClassNav, 0x06}));
}

TEST_F(SimReceiverTest, PollsAreAnsweredAtOnceWithTheLatestSolution) {
    CSimReceiver receiver(Config(true, true));
    EXPECT_TRUE(Command(receiver, Polls({"NAV-CLOCK"})).empty()) << "no solution yet";
    NextEpoch(receiver);
    const auto answers = Command(receiver, Polls({"NAV-CLOCK", "GPZDA", "GPGSA", "MON-VER", "PKVB04", "PKVB00"}));
    EXPECT_EQ((std::vector<std::u16string>{u"NAV-CLOCK", u"GPZDA", u"GPGSA", u"MON-VER", u"PKVB04", u"PKVB00"}),
              answers);
    // Sentences that the receiver does not write are not answered.
    EXPECT_TRUE(Command(receiver, Polls({"PKVB01"})).empty());
}

// Every standard sentence is answered to its query; the rarer ones come with each solution once
// the host switches them on, and their page tells the simulator's truth.
TEST_F(SimReceiverTest, EverySentenceIsQueriedAndTheRarerOnesComeWhenSwitchedOn) {
    const std::vector<std::string> sentences{"GPGGA", "GPGLL", "GPGSA", "GPGSV", "GPRMC", "GPVTG",
                                             "GPGRS", "GPGST", "GPZDA", "GPGBS", "GPDTM"};
    CSimReceiver receiver(Config(false, true));
    const auto first = NextEpoch(receiver);
    for (const char16_t* rare : {u"GPGRS", u"GPGST", u"GPGBS", u"GPDTM"}) EXPECT_EQ(0, Count(first, rare));
    const auto answers = Command(receiver, Polls(sentences));
    for (const std::string& name : sentences)
        EXPECT_GE(Count(answers, platform::Utf8ToWide(name)), 1) << name;

    SendOptions switches;
    switches.enable = {"GPGRS", "GPGST", "GPGBS", "GPDTM"};
    EXPECT_TRUE(Command(receiver, switches).empty());
    Bytes out;
    const SimEpoch& truth = receiver.NextEpoch(out);
    const auto names = Hear(out);
    for (const char16_t* rare : {u"GPGRS", u"GPGST", u"GPGBS", u"GPDTM"}) EXPECT_EQ(1, Count(names, rare));
    ASSERT_TRUE(truth.HasFix());
    CMessageNode* gst = document.FindNodeByProtocol(u"NMEA", u"GPGST", nullptr);
    CMemoryPage page(*PageTemplateOf(*gst));
    gst->InitPage(page);
    gst->ShowData(page, gst->FrameBytes(), gst->FrameLength());
    EXPECT_EQ(u"Std Dev Alt", page.CellText(10182, 7, 0));
    EXPECT_EQ(platform::FormatW(u"%.1f", truth.vAcc), page.CellText(10182, 7, 1));
}

TEST_F(SimReceiverTest, ConfigurationPollsTellTheCurrentSettings) {
    CSimReceiver receiver(Config(true, true));
    const Bytes rate = Answer(receiver, KvbFrame(kKvbClassCfg, kKvbIdCfgMsg, {kKvbClassNav, 0x30}));
    EXPECT_EQ(KvbFrame(kKvbClassCfg, kKvbIdCfgMsg, {kKvbClassNav, 0x30, 0, 1, 0, 0}), rate);
    EXPECT_EQ((std::vector<std::u16string>{u"CFG-MSG"}), Hear(rate));

    const Bytes port = Answer(receiver, KvbFrame(kKvbClassCfg, 0x00, {1}));
    ASSERT_EQ(28u, port.size());
    EXPECT_EQ(1, port[6]);
    EXPECT_EQ(57600u, port[14] | port[15] << 8 | port[16] << 16 | static_cast<uint32_t>(port[17]) << 24);
    EXPECT_EQ((std::vector<std::u16string>{u"CFG-PRT"}), Hear(port));

    // A setting that was sent comes back from the next poll.
    const Bytes sbas = {0, 0x03, 2, 0, 0x51, 0x08, 0, 0};
    EXPECT_TRUE(Answer(receiver, KvbFrame(kKvbClassCfg, 0x16, sbas)).empty());
    EXPECT_EQ(KvbFrame(kKvbClassCfg, 0x16, sbas), Answer(receiver, KvbFrame(kKvbClassCfg, 0x16, {})));
}

TEST_F(SimReceiverTest, TheEngineeringAndDeviceSettingsAreKeptInEachFormAndByKey) {
    CSimReceiver receiver(Config(true, false));
    // Id and the total length of the answer to its poll.
    const std::pair<uint8_t, size_t> kSettings[] = {{0x0A, 56}, {0x0B, 56}, {0x0C, 24}, {0x0D, 36}, {0x0E, 44},
                                                    {0x0F, 36}, {0x10, 20}, {0x12, 24}, {0x18, 24}, {0x1B, 116},
                                                    {0x1E, 16}, {0x1F, 13}, {0x21, 44}};
    for (const auto& [id, length] : kSettings)
        EXPECT_EQ(length, Answer(receiver, KvbFrame(kKvbClassCfg, id, {})).size()) << int{id};

    const Bytes shortNavx(32, 4);
    EXPECT_TRUE(Answer(receiver, KvbFrame(kKvbClassCfg, 0x0A, shortNavx)).empty());
    EXPECT_EQ(KvbFrame(kKvbClassCfg, 0x0A, shortNavx), Answer(receiver, KvbFrame(kKvbClassCfg, 0x0A, {})));

    const Bytes entry = {5, 1, 0, 0, 0, 0, 0x10, 0, 0, 0x40, 0, 0x20};
    EXPECT_TRUE(Answer(receiver, KvbFrame(kKvbClassCfg, 0x14, entry)).empty());
    EXPECT_EQ(KvbFrame(kKvbClassCfg, 0x14, entry), Answer(receiver, KvbFrame(kKvbClassCfg, 0x14, {5})));
    EXPECT_EQ(4, Answer(receiver, KvbFrame(kKvbClassCfg, 0x14, {4})).at(6));
    EXPECT_TRUE(Answer(receiver, KvbFrame(kKvbClassCfg, 0x14, {8})).empty());
    EXPECT_EQ(2, Answer(receiver, KvbFrame(kKvbClassCfg, 0x19, {2})).at(6));
}

// The datum's answer is longer than either form that sets it: number, code, then the user form.
TEST_F(SimReceiverTest, TheDatumIsAnsweredWithItsNumberCodeAndParameters) {
    CSimReceiver receiver(Config(true, false));
    const Bytes poll = KvbFrame(kKvbClassCfg, 0x06, {});
    const Bytes wgs84 = Answer(receiver, poll);
    ASSERT_EQ(60u, wgs84.size());
    EXPECT_EQ(std::string("WGS84", 6), std::string(wgs84.begin() + 8, wgs84.begin() + 14));
    EXPECT_EQ((std::vector<std::u16string>{u"CFG-DAT"}), Hear(wgs84));

    EXPECT_TRUE(Answer(receiver, KvbFrame(kKvbClassCfg, 0x06, {83, 0})).empty());
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x06, {216, 0}));
    const Bytes ogb = Answer(receiver, poll);
    ASSERT_EQ(60u, ogb.size());
    EXPECT_EQ(83, ogb[6] | ogb[7] << 8);
    EXPECT_EQ(std::string("OGB-M", 6), std::string(ogb.begin() + 8, ogb.begin() + 14));

    Bytes user(44);
    for (size_t at = 0; at < user.size(); ++at) user[at] = static_cast<uint8_t>(at + 1);
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x06, user));
    const Bytes answer = Answer(receiver, poll);
    ASSERT_EQ(60u, answer.size());
    EXPECT_EQ(0xFFFF, answer[6] | answer[7] << 8);
    EXPECT_EQ(user, Bytes(answer.begin() + 14, answer.end() - 2));
}

TEST_F(SimReceiverTest, CfgRateSetsTheNavigationPeriodWithinWhatTheReceiverCanDo) {
    CSimReceiver receiver(Config(true, false));
    EXPECT_EQ(1000u, receiver.PeriodMs());
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x08, {200, 0, 1, 0, 1, 0}));
    EXPECT_EQ(200u, receiver.PeriodMs());
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x08, {50, 0, 1, 0, 1, 0}));
    EXPECT_EQ(200u, receiver.PeriodMs());
    EXPECT_EQ(KvbFrame(kKvbClassCfg, 0x08, {200, 0, 1, 0, 1, 0}), Answer(receiver, KvbFrame(kKvbClassCfg, 0x08, {})));
}

TEST_F(SimReceiverTest, ColdResetDropsTheFixAndReportsTheTimeToFirstFix) {
    CSimReceiver receiver(Config(true, true));
    for (int n = 0; n < 5; ++n) NextEpoch(receiver);
    ASSERT_EQ(1, Value(entry::kNavigationValid));
    // CFG-RST: clear everything, controlled GPS-only restart.
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x04, {0xFF, 0xFF, 2, 0}));
    const auto first = NextEpoch(receiver);
    EXPECT_EQ(1, Count(first, u"GPTXT"));
    EXPECT_EQ(1, Count(first, u"INF"));
    EXPECT_EQ(std::u16string(document.FindNodeByProtocol(u"KVB", u"INF", nullptr)->Text()), u"RESET, COLD START");
    EXPECT_EQ(0, Value(entry::kNavigationValid));
    int seconds = 1;
    while (seconds < 80 && Value(entry::kNavigationValid) == 0) {
        NextEpoch(receiver);
        ++seconds;
    }
    EXPECT_GE(seconds, 30);
    EXPECT_LT(seconds, 80);
    EXPECT_NEAR(Value(entry::kTimeToFirstFix), seconds, 1e-9);
}

TEST_F(SimReceiverTest, StopHaltsTheOutputUntilStart) {
    CSimReceiver receiver(Config(true, true));
    NextEpoch(receiver);
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x04, {0, 0, 8, 0}));
    EXPECT_TRUE(NextEpoch(receiver).empty());
    Answer(receiver, KvbFrame(kKvbClassCfg, 0x04, {0, 0, 9, 0}));
    EXPECT_EQ(1, Count(NextEpoch(receiver), u"NAV-SOL"));
}

TEST_F(SimReceiverTest, CommandsAreFoundAmidLineNoiseAndAcrossReads) {
    CSimReceiver receiver(Config(true, false));
    NextEpoch(receiver);
    Bytes noise = {0x00, 0xA4, 0x13, '$', 'x', 0xFF};
    const Bytes poll = KvbFrame(kKvbClassNav, 0x03, {});
    noise.insert(noise.end(), poll.begin(), poll.begin() + 5);
    const Bytes first = Answer(receiver, noise);
    EXPECT_TRUE(first.empty());
    const Bytes rest(poll.begin() + 5, poll.end());
    EXPECT_EQ((std::vector<std::u16string>{u"NAV-STATUS"}), Hear(Answer(receiver, rest)));
}

TEST_F(SimReceiverTest, ArbitraryBytesFromTheHostNeverUpsetTheReceiver) {
    CSimReceiver receiver(Config(true, true));
    NextEpoch(receiver);
    // Random bytes, salted with the starts of frames and sentences so that parsers get deep.
    Bytes noise(200000);
    uint32_t state = 12345;
    for (uint8_t& b : noise) {
        state = state * 1664525u + 1013904223u;
        const uint8_t r = static_cast<uint8_t>(state >> 24);
        b = r < 8 ? kKvbSync1 : r < 16 ? kKvbSync2 : r < 20 ? '$' : r < 24 ? kKvbClassCfg : r;
    }
    Bytes answers;
    for (size_t at = 0; at < noise.size(); at += 333)
        receiver.Receive(noise.data() + at, std::min<size_t>(333, noise.size() - at), answers);
    // Whatever the noise set, the receiver still computes and its rate stays within its range.
    EXPECT_GE(receiver.PeriodMs(), 100u);
    EXPECT_LE(receiver.PeriodMs(), 10000u);
    Hear(answers);
    NextEpoch(receiver);
}

}  // namespace
