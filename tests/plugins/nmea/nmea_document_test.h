#pragma once
#include <string>
#include <vector>

#include "tests/plugins/nmea/nmea_test_sentences.h"
#include "tests/support/plugin_document_test.h"

// The real nmea.so in the real document.
class NmeaDocumentTest : public PluginDocumentTest {
protected:
    NmeaDocumentTest() : PluginDocumentTest(u"NMEA") {}

    using PluginDocumentTest::Feed;
    std::vector<CMessageNode*> Feed(const std::string& text) {
        return Feed(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    // One checksummed sentence; the node that took it.
    CMessageNode* Send(const std::string& body) {
        const std::vector<CMessageNode*> nodes = Feed(NmeaTestSentence(body));
        return nodes.size() == 1 ? nodes.front() : nullptr;
    }
    // The newest sample of the channel that holds the satellite, null when none does.
    const CChannelHistory::Sample* ChannelOf(int satellite) {
        const CChannelHistory& channels = document.Database().Channels();
        const int channel = channels.ChannelOfSatellite(satellite);
        if (channel >= CChannelHistory::kChannels || channels.At(channel, 0).satellite != satellite) return nullptr;
        return &channels.At(channel, 0);
    }
};
