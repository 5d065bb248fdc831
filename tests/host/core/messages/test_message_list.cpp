// The message view's list of messages with the real plug-ins, and its state block taken back
// from untrusted bytes.
#include <gtest/gtest.h>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/message_list.h"
#include "host/core/messages/message_view_state.h"

namespace {

std::vector<std::u16string> DisplayNames(const std::vector<CMessageNode*>& nodes) {
    std::vector<std::u16string> names;
    for (const CMessageNode* node : nodes) names.push_back(DisplayName(*node));
    return names;
}

size_t IndexOf(const std::vector<std::u16string>& names, const std::u16string& name) {
    return static_cast<size_t>(std::find(names.begin(), names.end(), name) - names.begin());
}

TEST(MessageList, ConfigurationAndMonitorFirstThenTheFreeMessagesThenEveryOtherPage) {
    CVeltroDoc document{DocumentSettings{10, VELTRO_PLUGIN_DIR, nullptr}};
    const std::vector<std::u16string> names = DisplayNames(MessageListEntries(document));
    ASSERT_LT(IndexOf(names, u"KVB CFG-CFG"), names.size());
    const size_t customNmea = IndexOf(names, u"NMEA ?????");
    EXPECT_LT(IndexOf(names, u"KVB CFG-PRT"), IndexOf(names, u"KVB MON-VER"));
    EXPECT_LT(IndexOf(names, u"KVB MON-VER"), customNmea);
    EXPECT_EQ(names[customNmea + 1], u"KVB ??-??");
    EXPECT_EQ(names[customNmea + 2], u"CUSTOM");

    // Only enabled groups are offered.
    const uint32_t mask = MessageMask;
    MessageMask = 0;
    EXPECT_EQ(DisplayNames(MessageListEntries(document)),
              (std::vector<std::u16string>{u"NMEA ?????", u"KVB ??-??", u"CUSTOM"}));
    MessageMask = mask;
}

TEST(MessageList, EveryOtherMessageWithAPageFollows) {
    CVeltroDoc document{DocumentSettings{10, VELTRO_TEST_PLUGIN_DIR "simple/", nullptr}};
    EXPECT_EQ(DisplayNames(MessageListEntries(document)), (std::vector<std::u16string>{u"CUSTOM", u"TST VALUE"}));
}

TEST(MessageList, MessagesAreFoundByTheirCatalogueNames) {
    CVeltroDoc document{DocumentSettings{10, VELTRO_PLUGIN_DIR, nullptr}};
    EXPECT_EQ(FindMessageByName(document, u"CUSTOM"), &document.Plugins().CustomRoot());
    ASSERT_NE(FindMessageByName(document, u"NAV-SOL"), nullptr);
    EXPECT_EQ(DisplayName(*FindMessageByName(document, u"GPGGA")), u"NMEA GPGGA");
    EXPECT_EQ(FindMessageByName(document, u"NOPE"), nullptr);
    // The listed free sentence comes before the catch-all of the same name.
    EXPECT_EQ(std::u16string(FindMessage(document, u"NMEA", u"?????")->Description()), u"Custom");
    const std::vector<std::u16string> names = MessageNames(document);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_LT(IndexOf(names, u"CFG-PRT"), names.size());
}

TEST(MessageViewState, NamesEndInsideTheirFieldsWhateverTheBlockHolds) {
    MessageViewState state;
    state.hold = true;
    state.autoPoll = false;
    state.protocol = u"KVB";
    state.message = std::u16string(40, u'M');
    state.scrollX = 12;
    state.scrollY = -3;
    const auto block = state.Encode();
    const MessageViewState back = MessageViewState::Decode(block);
    EXPECT_TRUE(back.hold);
    EXPECT_FALSE(back.autoPoll);
    EXPECT_EQ(back.protocol, u"KVB");
    EXPECT_EQ(back.message, std::u16string(27, u'M'));
    EXPECT_EQ(back.scrollX, 12);
    EXPECT_EQ(back.scrollY, -3);

    std::array<uint8_t, MessageViewState::kSize> garbage;
    garbage.fill(0x41);
    const MessageViewState taken = MessageViewState::Decode(garbage);
    EXPECT_EQ(taken.protocol.size(), 32u);
    EXPECT_EQ(taken.message.size(), 28u);
}

}  // namespace
