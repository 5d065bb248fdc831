#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/core/veltro_doc.h"
#include "shared/satellite_slots.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

// The real kvb.so, loaded by the real document from the build's output folder; frames go through
// the real splitter.
class KvbDocumentTest : public ::testing::Test {
protected:
    static constexpr double kPi = 3.1415926535898;

    void SetUp() override {
        ASSERT_NE(nullptr, document.Plugins().RootOf(u"KVB")) << "kvb.so not loaded from " << VELTRO_PLUGIN_DIR;
        document.Plugins().RegisterWith(splitter);
    }

    // The node that took each frame of the stream, in order.
    std::vector<CMessageNode*> Feed(const std::vector<uint8_t>& bytes) {
        std::vector<CMessageNode*> nodes;
        FeedStream(splitter, bytes.data(), bytes.size(),
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
        return nodes;
    }
    CMessageNode* Node(const char16_t* name) { return document.FindNodeByProtocol(u"KVB", name, nullptr); }
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
    double SatelliteValue(int satellite, int item) { return Value(SatelliteItemId(SatelliteSlot(satellite), item)); }
    bool SatelliteValid(int satellite, int item) { return IsValid(SatelliteItemId(SatelliteSlot(satellite), item)); }
    const CChannelHistory::Sample& Channel(int channel) { return document.Database().Channels().At(channel, 0); }
    size_t ClosedEpochs() { return document.History().Count(); }

    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
};
