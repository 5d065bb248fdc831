#pragma once
// What the KVB fuzz targets share: the plug-in's tree built from the instrumented sources, and
// the input read as frames whose checksums are made valid, so that mutations reach past them.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/core/intake/protocol_root.h"
#include "host/core/intake/veltro_doc.h"
#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/framing/kvb_frame.h"

// The document brings the database, its catalogue and the epoch history; it loads no plug-ins,
// the KVB tree is built here from the instrumented sources.
struct KvbHost {
    KvbHost() {
        KvbPlugin().protocol.PopulateTree(u"KVB", &root);
        KvbPlugin().capabilityMask = ~0u;
        root.BindDatabase(&document.Database());
    }

    CVeltroDoc document{DocumentSettings{16, "/nonexistent/", nullptr}};
    CProtocolRoot root{KvbCheckFrame, u"KVB", nullptr, CKvbProtocol::kInformationPage, MASK_EXPERT};
    ProtocolEntry entry{u"KVB", KvbCheckFrame, &root};
};

// Reads the input as chunks, each led by a byte: its low 7 bits give the chunk's length; with the
// high bit set the chunk is garbage, else it is class, id and payload of a frame to complete.
inline std::vector<uint8_t> StreamFromChunks(const uint8_t* data, size_t size) {
    std::vector<uint8_t> stream;
    size_t at = 0;
    while (at < size) {
        const uint8_t lead = data[at++];
        const size_t length = std::min<size_t>(lead & 0x7F, size - at);
        const uint8_t* chunk = data + at;
        at += length;
        if (lead & 0x80 || length < 2) {
            stream.insert(stream.end(), chunk, chunk + length);
            continue;
        }
        std::vector<uint8_t> frame(length + 6, 0);
        std::copy(chunk + 2, chunk + length, frame.begin() + kKvbHeaderLength);
        KvbWriteFrame(chunk[0], chunk[1], frame.data(), static_cast<int>(frame.size()));
        stream.insert(stream.end(), frame.begin(), frame.end());
    }
    return stream;
}

