#pragma once
#include <vector>

#include "shared/satellite_slots.h"
#include "tests/support/plugin_document_test.h"

// The real kvb.so in the real document.
class KvbDocumentTest : public PluginDocumentTest {
protected:
    static constexpr double kPi = 3.1415926535898;

    KvbDocumentTest() : PluginDocumentTest(u"KVB") {}

    using PluginDocumentTest::Feed;
    std::vector<CMessageNode*> Feed(const std::vector<uint8_t>& bytes) { return Feed(bytes.data(), bytes.size()); }
    double SatelliteValue(int satellite, int item) { return Value(SatelliteItemId(SatelliteSlot(satellite), item)); }
    bool SatelliteValid(int satellite, int item) { return IsValid(SatelliteItemId(SatelliteSlot(satellite), item)); }
    const CChannelHistory::Sample& Channel(int channel) { return document.Database().Channels().At(channel, 0); }
};
