#include <gtest/gtest.h>

#include "host/core/intake/veltro_doc.h"
#include "shared/protocol_object.h"
#include "tests/support/test_protocol.h"

namespace {
std::vector<uint8_t> ValueFrame() { return TestFrameU32(kTestValueType, 1); }
}  // namespace

TEST(PluginHost, WithoutPluginsTheUnknownRootTakesEveryFrame) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "empty/", nullptr});
    EXPECT_TRUE(document.Plugins().Protocols().empty());
    const auto frame = ValueFrame();
    CMessageNode* node = document.DispatchBytes(frame.data(), static_cast<int>(frame.size()));
    EXPECT_EQ(node, &document.Plugins().UnknownRoot());
    EXPECT_EQ(std::u16string(node->Label()), u"UNKNOWN");
    EXPECT_EQ(node->ResourceDialogId(), 139);
    EXPECT_EQ(document.FindNodeByProtocol(u"CUSTOM", nullptr, nullptr), &document.Plugins().CustomRoot());
    EXPECT_EQ(document.FindNodeByProtocol(u"KVB", nullptr, nullptr), nullptr);
}

TEST(PluginHost, TheFirstPluginKeepsAProtocolNameTheOthersStillPopulate) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "two_nmea/", nullptr});
    const CPluginHost& host = document.Plugins();
    // a_first and b_second load; the library that declines and the plain library are released.
    ASSERT_EQ(host.Plugins().size(), 2u);
    ASSERT_EQ(host.Protocols().size(), 1u);
    const ProtocolEntry& nmea = *host.Protocols()[0];
    EXPECT_EQ(nmea.name, u"NMEA");
    EXPECT_EQ(nmea.root->ResourceModule(), host.Plugins()[0].module);
    EXPECT_EQ(nmea.root->ResourceDialogId(), 657);
    EXPECT_NE(nmea.root->FindChildByLabel(u"FIRST"), nullptr);
    EXPECT_NE(nmea.root->FindChildByLabel(u"SECOND"), nullptr);
    EXPECT_EQ(document.FindNodeByProtocol(u"NMEA", u"SECOND", nullptr)->Parent(), nmea.root);
}

// Both protocols recognise the same frame: the one first in name order takes it, whichever loaded first.
TEST(PluginHost, ProtocolsAreRegisteredWithSplittersInNameOrder) {
    CVeltroDoc document(DocumentSettings{900, VELTRO_TEST_PLUGIN_DIR "two_protocols/", nullptr});
    ASSERT_EQ(document.Plugins().Protocols().size(), 2u);
    CFrameSplitter splitter;
    document.Plugins().RegisterWith(splitter);
    const auto frame = ValueFrame();
    std::vector<std::u16string> protocols;
    FeedStream(splitter, frame.data(), frame.size(), [&](const FrameRecord& record) {
        protocols.emplace_back(record.protocol ? record.protocol->name : u"");
    });
    EXPECT_EQ(protocols, (std::vector<std::u16string>{u"ATS"}));
}
