#pragma once
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/core/intake/veltro_doc.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

// The real plug-ins, loaded by the real document from the build's output folder; bytes go
// through the real splitter. Tests of one protocol name it, and read the database through the
// helpers here.
class PluginDocumentTest : public ::testing::Test {
protected:
    explicit PluginDocumentTest(const char16_t* protocol) : protocol(protocol) {}

    void SetUp() override {
        ASSERT_NE(nullptr, Root()) << "plug-in not loaded from " << VELTRO_PLUGIN_DIR;
        document.Plugins().RegisterWith(splitter);
    }

    // The node that took each record of the stream, in order.
    std::vector<CMessageNode*> Feed(const uint8_t* bytes, size_t length) {
        std::vector<CMessageNode*> nodes;
        FeedStream(splitter, bytes, length,
                   [&](const FrameRecord& record) { nodes.push_back(document.ProcessRecord(record, true)); });
        return nodes;
    }

    CMessageNode* Root() { return document.Plugins().RootOf(protocol); }
    CMessageNode* Node(const char16_t* name) { return document.FindNodeByProtocol(protocol, name, nullptr); }
    CStorageValue* Entry(uint16_t id) { return document.Database().FindAs<CStorageValue>(id); }
    double Value(uint16_t id) {
        const CStorageValue* entry = Entry(id);
        return entry ? entry->GetValue() : NAN;
    }
    bool IsValid(uint16_t id) {
        const CStorage* entry = document.Database().Lookup(id);
        return entry && entry->IsValid();
    }
    SatelliteMask Mask(uint16_t id) {
        const auto* list = document.Database().FindAs<CStorageSVList>(id);
        return list ? list->GetMask() : SatelliteMask();
    }
    size_t ClosedEpochs() { return document.History().Count(); }

    const char16_t* protocol;
    CVeltroDoc document{DocumentSettings{900, VELTRO_PLUGIN_DIR, nullptr}};
    CFrameSplitter splitter;
};
