#include <string>
#include <vector>

#include "platform/text.h"
#include "shared/memory_page.h"
#include "shared/protocol_object.h"
#include "tests/plugins/nmea/nmea_document_test.h"

namespace {

using NmeaPluginTest = NmeaDocumentTest;

TEST_F(NmeaPluginTest, NamesTheProtocol) {
    const CProtocolObject* nmea = nullptr;
    for (const CPluginHost::Plugin& plugin : document.Plugins().Plugins())
        if (std::u16string(plugin.protocol->GetProtocolName()) == u"NMEA") nmea = plugin.protocol;
    ASSERT_NE(nullptr, nmea);
    EXPECT_EQ(u"3.05", std::u16string(nmea->GetVersion()));
    EXPECT_EQ(u"NMEA", std::u16string(nmea->GetName()));
    EXPECT_EQ(657, nmea->GetRootDialogId());
    EXPECT_EQ(657, Root()->ResourceDialogId());
}

TEST_F(NmeaPluginTest, OrdersTheCatalogueByLabelWithTheCatchAllNodesLast) {
    std::vector<std::u16string> labels;
    for (auto position = Root()->GetFirstChild(); position;) {
        const std::u16string label = Root()->GetNextChild(position)->Label();
        if (label.rfind(u"GP", 0) == 0 || label.rfind(u"??", 0) == 0) labels.push_back(label);
    }
    const std::vector<std::u16string> expected{
        u"GPDTM (Datum Reference)",
        u"GPGBS (GNSS Satellite Fault Detection)",
        u"GPGGA (Global Positioning System Fix Data)",
        u"GPGLL (Geographic Position - Latitude/Longitude)",
        u"GPGRS (GNSS Range Residuals)",
        u"GPGSA (GNSS DOP and Active Satellites)",
        u"GPGST (GNSS Pseudorange Error Statistics)",
        u"GPGSV (GNSS Satellites in View)",
        u"GPRMC (Recommended Minimum Specific GNSS Data)",
        u"GPTXT (Text Transmission)",
        u"GPVTG (Course Over Ground and Ground Speed)",
        u"GPZDA (Time & Date)",
        u"????? (Unknown)",
        u"????? (Custom)",
    };
    EXPECT_EQ(expected, labels);
}

TEST_F(NmeaPluginTest, SentenceNodesPollAndSwitchTheirSentence) {
    CMemoryPage page;
    uint8_t buffer[64];
    int length = 0;
    EXPECT_EQ(15, Node(u"GPZDA")->BuildPoll(page, buffer, length, sizeof buffer));
    EXPECT_EQ(NmeaTestSentence("EIGPQ,ZDA"), std::string(buffer, buffer + length));
    EXPECT_EQ(0, Node(u"GPZDA")->BuildPoll(page, buffer, length, 14));
    EXPECT_EQ(0, Node(u"GPTXT")->BuildPoll(page, buffer, length, sizeof buffer));

    ASSERT_TRUE(Node(u"GPDTM")->BuildRateCommand(true, buffer, length, 11));
    EXPECT_EQ(11, length);
    EXPECT_EQ(10, buffer[7]);
    EXPECT_FALSE(Node(u"GPGSV")->BuildRateCommand(true, buffer, length, 10));
    EXPECT_FALSE(Node(u"GPTXT")->BuildRateCommand(true, buffer, length, sizeof buffer));

    // A sent query is shown like a received sentence, at the Unknown node.
    ASSERT_TRUE(Node(u"GPZDA")->BuildPoll(page, buffer, length, sizeof buffer));
    EXPECT_EQ(u"Unknown", std::u16string(document.DispatchBytes(buffer, length)->Description()));
}

TEST_F(NmeaPluginTest, KeepsTheSentenceAsTextWithoutItsTerminator) {
    const std::string sentence = NmeaTestSentence("GPTXT,01,01,02,hello");
    CMessageNode* txt = Feed(sentence).front();
    ASSERT_EQ(Node(u"GPTXT"), txt);
    ASSERT_NE(nullptr, txt->Text());
    EXPECT_EQ(sentence.substr(0, sentence.size() - 2), platform::WideToAnsi(txt->Text()));
    EXPECT_EQ(Node(u"GPTXT"), Send("IITXT,01,01,02,a talker of no system"));
    CMessageNode* glonass = Send("GLTXT,01,01,02,own node");
    ASSERT_NE(nullptr, glonass);
    EXPECT_EQ(u"GLTXT", std::u16string(glonass->Name()));
    EXPECT_EQ(glonass, Node(u"GLTXT"));
}

}  // namespace
