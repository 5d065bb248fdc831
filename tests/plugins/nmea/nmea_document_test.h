#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/core/veltro_doc.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"
#include "tests/plugins/nmea/nmea_test_sentences.h"

// The real nmea.so, loaded by the real document from the build's output folder; sentences go
// through the real splitter.
class NmeaDocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(nullptr, Root()) << "nmea.so not loaded from " << VELTRO_PLUGIN_DIR;
        document.Plugins().RegisterWith(splitter);
    }

    // The node that took each record of the stream, in order.
    std::vector<CMessageNode*> Feed(const std::string& text) {
        std::vector<CMessageNode*> nodes;
        FeedStream(splitter, reinterpret_cast<const uint8_t*>(text.data()), text.size(),
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
        return nodes;
    }
    // One checksummed sentence; the node that took it.
    CMessageNode* Send(const std::string& body) {
        const std::vector<CMessageNode*> nodes = Feed(NmeaTestSentence(body));
        return nodes.size() == 1 ? nodes.front() : nullptr;
    }

    CMessageNode* Root() { return document.Plugins().RootOf(u"NMEA"); }
    CMessageNode* Node(const char16_t* name) { return document.FindNodeByProtocol(u"NMEA", name, nullptr); }
    CStorageValue* Entry(uint16_t id) { return document.Database().FindAs<CStorageValue>(id); }
    double Value(uint16_t id) {
        const CStorageValue* entry = Entry(id);
        return entry ? entry->GetValue() : NAN;
    }
    bool IsValid(uint16_t id) {
        const CStorage* entry = document.Database().Lookup(id);
        return entry && entry->IsValid();
    }
    uint64_t Mask(uint16_t id) {
        const auto* list = document.Database().FindAs<CStorageSVList>(id);
        return list ? list->GetMask() : 0;
    }
    size_t ClosedEpochs() { return document.History().Count(); }
    // The newest sample of the channel that holds the satellite, null when none does.
    const CChannelHistory::Sample* ChannelOf(int satellite) {
        const CChannelHistory& channels = document.Database().Channels();
        const int channel = channels.ChannelOfSatellite(satellite);
        if (channel >= CChannelHistory::kChannels || channels.At(channel, 0).satellite != satellite) return nullptr;
        return &channels.At(channel, 0);
    }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
};
