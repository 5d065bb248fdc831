#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "platform/shared_library.h"
#include "platform/text.h"
#include "shared/memory_page.h"
#include "shared/protocol_object.h"
#include "tests/plugins/kvb/kvb_test_frames.h"
#include "tests/support/guarded_bytes.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Poll {
    int following;
    Bytes frame;
    int length;
};

// The real kvb.so, loaded by the real document from the build's output folder.
class KvbPluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const CPluginHost::Plugin& plugin : document.Plugins().Plugins())
            if (std::u16string(plugin.protocol->GetProtocolName()) == u"KVB") kvb = plugin;
        ASSERT_NE(nullptr, kvb.protocol);
        document.Plugins().RegisterWith(splitter);
    }
    // The library may stay loaded after the document lets it go.
    void TearDown() override {
        MessageMask = MASK_ORDINARY;
        if (!kvb.module) return;
        SetMode(0);
        Configure(0);
    }

    // The node that took each frame of the stream, in order.
    std::vector<CMessageNode*> Feed(const Bytes& bytes) {
        std::vector<CMessageNode*> nodes;
        FeedStream(splitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
        return nodes;
    }

    CMessageNode& Root() { return *document.Plugins().RootOf(u"KVB"); }
    CMessageNode* Node(const char16_t* name) { return document.FindNodeByProtocol(u"KVB", name, nullptr); }
    std::u16string NameOf(const char16_t* label) { return Root().FindChildByLabel(label)->Name(); }

    void Configure(uint32_t mask) {
        reinterpret_cast<ConfigureFn>(platform::FindSymbol(kvb.module, "Configure"))(mask);
    }
    void SetMode(uint32_t mode) {
        reinterpret_cast<InitializeFn>(platform::FindSymbol(kvb.module, "Initialize"))(mode, kvb.module);
    }

    Poll PollStep(const char16_t* name, int index, int capacity = 64, char16_t* nameBuffer = nullptr,
                  int nameCapacity = 0) {
        Bytes buffer(static_cast<size_t>(capacity), 0);
        int length = 99;
        const int following =
            Node(name)->BuildPollIfSupported(buffer.data(), capacity, length, nameBuffer, nameCapacity, index);
        buffer.resize(static_cast<size_t>(std::max(length, 0)));
        return {following, buffer, length};
    }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
    CPluginHost::Plugin kvb{nullptr, nullptr};
};

TEST_F(KvbPluginTest, IntroducesTheKvbProtocol) {
    EXPECT_EQ(std::u16string(u"3.05"), kvb.protocol->GetVersion());
    EXPECT_EQ(std::u16string(u"KVB"), kvb.protocol->GetName());
    EXPECT_EQ(657, kvb.protocol->GetRootDialogId());
    EXPECT_EQ(kvb.module, Node(u"NAV-SOL")->ResourceModule());
    EXPECT_EQ(652, Node(u"NAV-SOL")->ResourceDialogId());
    EXPECT_EQ(1022, Node(u"NAV")->ResourceDialogId());
    EXPECT_EQ(0, Node(u"CFG")->ResourceDialogId());
}

TEST_F(KvbPluginTest, FilesClassNodesByLabelAndKeepsThePseudoMessagesLast) {
    std::vector<std::u16string> labels;
    for (auto position = Root().GetFirstChild(); position;) labels.push_back(Root().GetNextChild(position)->Label());
    EXPECT_EQ((std::vector<std::u16string>{u"CFG (Config)", u"INF (Information)", u"MON (Monitor)", u"NAV (Navigation)",
                                           u"??-?? (Unknown)", u"??-?? (Custom)"}),
              labels);

    for (const char16_t* className : {u"NAV", u"CFG", u"MON"}) {
        CMessageNode* classNode = Node(className);
        std::u16string previous;
        for (auto position = classNode->GetFirstChild(); position;) {
            const std::u16string label = classNode->GetNextChild(position)->Label();
            EXPECT_LE(previous, label) << platform::WideToUtf8(label);
            previous = label;
        }
    }
}

TEST_F(KvbPluginTest, AStreamWithGarbageEndsInTheRightNodes) {
    const Bytes garbage = {'x', 0xA4, 'y', 0x51, 'z'};
    const std::vector<std::pair<Bytes, CMessageNode*>> cases = {
        {garbage, &document.Plugins().UnknownRoot()},
        {KvbTestFrameOfLength(0x01, 0x06, 60), Node(u"NAV-SOL")},
        {KvbTestFrameOfLength(0x01, 0x06, 59), Node(u"NAV")},
        {garbage, &document.Plugins().UnknownRoot()},
        {KvbTestFrameOfLength(0x01, 0x06, 61), Node(u"NAV")},
        {KvbTestFrameOfLength(0x0A, 0x04, 48), Node(u"MON-VER")},
        {KvbTestFrameOfLength(0x0A, 0x04, 78), Node(u"MON-VER")},
        {KvbTestFrameOfLength(0x0A, 0x04, 108), Node(u"MON-VER")},
        {KvbTestFrameOfLength(0x0A, 0x04, 49), Node(u"MON")},
        {KvbTestFrameOfLength(0x0A, 0x04, 77), Node(u"MON")},
        {KvbTestFrameOfLength(0x04, 0x02, 23), Node(u"INF")},
        {KvbTestFrameOfLength(0x06, 0x05, 8), Node(u"CFG")},
        {KvbTestFrameOfLength(0x01, 0x30, 16), Node(u"NAV-SVINFO")},
        {KvbTestFrameOfLength(0x01, 0x30, 40, {{10, 2}}), Node(u"NAV-SVINFO")},
        {KvbTestFrameOfLength(0x01, 0x30, 40, {{10, 3}}), Node(u"NAV")},
        {KvbTestFrameOfLength(0x01, 0x31, 24), Node(u"NAV-DGPS")},
        {KvbTestFrameOfLength(0x01, 0x31, 40, {{18, 1}}), Node(u"NAV-DGPS")},
        {KvbTestFrameOfLength(0x01, 0x31, 36, {{18, 1}}), Node(u"NAV-DGPS")},
        {KvbTestFrameOfLength(0x01, 0x32, 32, {{14, 1}}), Node(u"NAV-SBAS")},
        {KvbTestFrameOfLength(0x01, 0x33, 16), Node(u"NAV")},
        {KvbTestFrameOfLength(0x0B, 0x50, 12), Root().FindChildByLabel(u"??-?? (Unknown)")},
    };
    Bytes stream;
    std::vector<CMessageNode*> expected;
    for (const auto& [bytes, node] : cases) {
        stream.insert(stream.end(), bytes.begin(), bytes.end());
        expected.push_back(node);
    }

    EXPECT_EQ(expected, Feed(stream));
    EXPECT_EQ(u"0B-50", NameOf(u"??-?? (Unknown)"));
    EXPECT_EQ(u"??-??", NameOf(u"??-?? (Custom)"));
    EXPECT_EQ(0u, Root().FindChildByLabel(u"??-?? (Custom)")->LastReceiveTick());
}

TEST_F(KvbPluginTest, ExpertMessagesTakeFramesOnlyWhenTheMaskEnablesThem) {
    const Bytes svpos = KvbTestFrameOfLength(0x01, 0x33, 36, {{12, 1}});
    EXPECT_EQ(std::vector<CMessageNode*>{Node(u"NAV")}, Feed(svpos));
    MessageMask = MASK_ORDINARY | MASK_EXPERT;
    EXPECT_EQ(std::vector<CMessageNode*>{Node(u"NAV-SVPOS")}, Feed(svpos));
}

// The tracking-engine settings belong to a group of their own, which no other bit enables.
TEST_F(KvbPluginTest, TheTrackingDebuggerTakesFramesOnlyWithItsOwnGroup) {
    const Bytes tdb = KvbTestFrameOfLength(0x06, 0x15, 76);
    EXPECT_EQ(std::vector<CMessageNode*>{Node(u"CFG")}, Feed(tdb));
    MessageMask = MASK_ORDINARY | MASK_EXPERT;
    EXPECT_EQ(std::vector<CMessageNode*>{Node(u"CFG")}, Feed(tdb));
    MessageMask = MASK_ORDINARY | MASK_DISABLED;
    EXPECT_EQ(std::vector<CMessageNode*>{Node(u"CFG-TDB")}, Feed(tdb));
}

// Frames that pass no recogniser (sent polls, hand-typed bytes) still reach the nodes: none of
// them may read beyond the frame, whatever its length and count bytes claim.
TEST_F(KvbPluginTest, ShortAndLyingFramesAreReadOnlyWithinTheirLength) {
    for (const char16_t* name : {u"NAV-SVINFO", u"NAV-DGPS", u"NAV-SBAS", u"NAV-SVPOS"}) {
        CMessageNode* message = Node(name);
        CMemoryPage page;
        Bytes poll(8, 0);
        int length = 0;
        ASSERT_EQ(8, message->BuildPoll(page, poll.data(), length, 8));
        GuardedBytes guardedPoll(poll);
        EXPECT_FALSE(message->Accept(guardedPoll.data(), 8));
        EXPECT_EQ(&document.Plugins().UnknownRoot(), document.DispatchSent(message, guardedPoll.data(), 8));

        Bytes header = poll;
        header.resize(30, 0xFF);
        header[4] = 0xFF;
        for (size_t count = 0; count <= header.size(); ++count) {
            GuardedBytes guarded(header, count);
            Node(u"NAV")->Find(guarded.data(), static_cast<int>(count), ~0u);
        }
    }
}

TEST_F(KvbPluginTest, ConfigurationPollsFollowTheCapabilityMask) {
    Configure(MASK_ORDINARY);
    EXPECT_EQ(KvbTestFrame(0x06, 0x03, {}), PollStep(u"CFG-NAV", 0).frame);
    EXPECT_EQ(0, PollStep(u"CFG-NAV", 0).following);
    EXPECT_EQ(KvbTestFrame(0x0A, 0x04, {}), PollStep(u"MON-VER", 0).frame);
    EXPECT_EQ(-1, PollStep(u"CFG-NAV", 0, 7).length);
    for (const char16_t* name : {u"CFG-NAVX", u"ODO", u"CFG-LOG", u"CFG-TDB", u"CFG-RST", u"CFG-CFG", u"CFG-MAP",
                                 u"NAV-SOL", u"NAV", u"??-??"})
        EXPECT_EQ(0, PollStep(name, 0).length) << platform::WideToUtf8(name);

    Configure(MASK_ODOMETER);
    EXPECT_EQ(KvbTestFrame(0x06, 0x1E, {}), PollStep(u"ODO", 0).frame);
    EXPECT_EQ(0, PollStep(u"CFG-NAV", 0).length);
    Configure(0);
    EXPECT_EQ(0, PollStep(u"MON-VER", 0).length);
}

TEST_F(KvbPluginTest, MultiStepPollsWalkTheirSeriesWhateverTheMask) {
    struct Series {
        const char16_t* name;
        uint8_t id;
        Bytes payloads;
    };
    Configure(0);
    for (const Series& series :
         {Series{u"CFG-PRT", 0x00, {0, 1, 2, 3}}, Series{u"CFG-INF", 0x02, {0, 1, 3, 12, 13, 14, 15}},
          Series{u"CFG-TM2", 0x19, {0, 1, 2}}}) {
        const int steps = static_cast<int>(series.payloads.size());
        for (int index = 0; index < steps; ++index) {
            const Poll poll = PollStep(series.name, index);
            EXPECT_EQ(steps - 1 - index, poll.following);
            EXPECT_EQ(KvbTestFrame(0x06, series.id, {series.payloads[static_cast<size_t>(index)]}), poll.frame);
        }
        EXPECT_EQ(-1, PollStep(series.name, 0, 8).length);
        EXPECT_EQ(0, PollStep(series.name, steps).length);
    }
}

TEST_F(KvbPluginTest, CfgMsgPollsEveryOutputShownWithoutExtendedMode) {
    std::u16string name(16, u'#');
    int frames = 0;
    for (int index = 0; index < 70; ++index) {
        const Poll poll = PollStep(u"CFG-MSG", index, 64, name.data(), 16);
        EXPECT_EQ(69 - index, poll.following);
        if (poll.length > 0) ++frames;
    }
    EXPECT_EQ(54, frames);
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0x01, 0x01}), PollStep(u"CFG-MSG", 0).frame);
    EXPECT_EQ(0, PollStep(u"CFG-MSG", 14).length);
    EXPECT_EQ(std::u16string(16, u'#'), name);
    EXPECT_EQ(-1, PollStep(u"CFG-MSG", 0, 9).length);
}

TEST_F(KvbPluginTest, CfgMsgPollsEveryOutputInExtendedModeAndNamesIt) {
    SetMode(1);
    char16_t name[16] = {};
    const Poll svpos = PollStep(u"CFG-MSG", 14, 64, name, 16);
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0x01, 0x33}), svpos.frame);
    EXPECT_EQ(std::u16string(u"NAV-SVPOS"), name);
    PollStep(u"CFG-MSG", 54, 64, name, 16);
    EXPECT_EQ(std::u16string(u"NMEA GPGGA"), name);
    PollStep(u"CFG-MSG", 0, 64, name, 11);  // "NAV-POSECEF" and its terminator need 12
    EXPECT_EQ(std::u16string(u"NMEA GPGGA"), name);
}

TEST_F(KvbPluginTest, NavigationMessagesOfferPollsAndRateCommands) {
    CMemoryPage page;
    Bytes buffer(16, 0);
    int length = 0;
    EXPECT_EQ(8, Node(u"NAV-SOL")->BuildPoll(page, buffer.data(), length, 16));
    EXPECT_EQ(KvbTestFrame(0x01, 0x06, {}), Bytes(buffer.begin(), buffer.begin() + 8));
    EXPECT_EQ(0, Node(u"NAV-SOL")->BuildPoll(page, buffer.data(), length, 7));
    EXPECT_EQ(8, length);
    EXPECT_EQ(0, Node(u"CFG-RST")->BuildPoll(page, buffer.data(), length, 16));

    ASSERT_TRUE(Node(u"NAV-SOL")->BuildRateCommand(true, buffer.data(), length, 16));
    EXPECT_EQ(KvbTestFrame(0x06, 0x01, {0x01, 0x06, 0x01}), Bytes(buffer.begin(), buffer.begin() + length));
    EXPECT_FALSE(Node(u"CFG-NAV")->BuildRateCommand(true, buffer.data(), length, 16));
    EXPECT_FALSE(Node(u"MON-VER")->BuildRateCommand(true, buffer.data(), length, 16));
}

}  // namespace
