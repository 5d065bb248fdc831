// Arbitrary bytes against the NMEA plug-in and the proprietary sentences: the recogniser at every
// position, sentences built from the input (with valid checksums, so that they reach the
// decoders) through the splitter, the message tree and the document's epoch handling into the
// real database, every node offered the raw bytes as the host offers it sentences that it sends,
// and every node's page showing what the node stored and the raw bytes, and composing from them.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/checked_feed.h"
#include "host/core/intake/protocol_root.h"
#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"
#include "plugins/kvb/catalogue/kvb_tree.h"
#include "plugins/nmea/catalogue/nmea_catalogue.h"
#include "plugins/nmea/framing/nmea_commands.h"
#include "plugins/nmea/framing/nmea_frame_check.h"
#include "plugins/nmea/resources/nmea_resources.h"
#include "shared/memory_page.h"

namespace {

// The document brings the database, its catalogue and the epoch history; it loads no plug-ins,
// the NMEA tree (with the proprietary sentences of the KVB plug-in) is built here from the
// instrumented sources.
struct NmeaHost {
    NmeaHost() {
        // The tree built here has no module: the null module's table is the plug-in's, so that the
        // pages find their row texts.
        SetProgramResources(&kNmeaResources);
        PopulateNmeaTree(root);
        PopulatePkvbTree(root);
        root.BindDatabase(&document.Database());
    }

    CVeltroDoc document{DocumentSettings{16, "/nonexistent/", nullptr}};
    CProtocolRoot root{NmeaCheckFrame, u"NMEA", nullptr, 657, MASK_EXPERT};
    ProtocolEntry entry{u"NMEA", NmeaCheckFrame, &root};
};

// The talkers of every system after the GP sentences, so that their nodes are made on demand
// and their satellites numbered by system.
const char* const kAddresses[] = {"GPGGA", "GPGLL", "GPGSA", "GPGSV", "GPRMC", "GPVTG", "GPZDA", "GPGST",
                                  "GPGRS", "GPGBS", "GPDTM", "GPTXT", "GNGSV", "GNGGA", "PKVB",  "GNRMC",
                                  "GNGSA", "GLGSV", "GAGSV", "GBGSV", "BDGSA", "GQGSV", "QZGSV", "GIGSV",
                                  "GNGNS", "GPGNS", "GNVTG", "GNZDA", "GLGSA", "GAGSA", "GNGLL", "GNGST"};

// Each input line becomes a sentence: its first byte picks the address, the rest are its fields.
// A first byte beyond the addresses passes the line on as it is.
std::string StreamFromLines(const uint8_t* data, size_t size) {
    std::string stream;
    size_t at = 0;
    while (at < size) {
        size_t end = at;
        while (end < size && data[end] != '\n') ++end;
        const std::string line(data + at, data + end);
        at = end + 1;
        if (line.empty()) continue;
        const auto pick = static_cast<uint8_t>(line[0]);
        if (pick >= std::size(kAddresses)) {
            stream += line + "\n";
            continue;
        }
        const std::string body = std::string(kAddresses[pick]) + "," + line.substr(1);
        uint8_t sum = 0;
        for (char c : body) sum ^= static_cast<uint8_t>(c);
        static const char kHex[] = "0123456789ABCDEF";
        stream += "$" + body + "*" + kHex[sum >> 4] + kHex[sum & 15] + "\r\n";
    }
    return stream;
}

void ExerciseNode(CMessageNode& node, size_t seed) {
    CMemoryPage page;
    uint8_t buffer[16];
    int length = 0;
    node.BuildPoll(page, buffer, length, static_cast<int>(seed % (sizeof buffer + 1)));
    node.BuildRateCommand(seed & 1, buffer, length, static_cast<int>(seed % (sizeof buffer + 1)));
}

void OfferToEveryNode(CMessageNode& node, const std::vector<uint8_t>& bytes) {
    node.Accept(bytes.data(), static_cast<int>(bytes.size()));
    for (auto position = node.GetFirstChild(); position;) {
        CMessageNode* child = node.GetNextChild(position);
        child->Find(bytes.data(), static_cast<int>(bytes.size()), ~0u);
        OfferToEveryNode(*child, bytes);
    }
}

// Capacities around what a sentence needs, in buffers of exactly that size.
void ComposeFromPage(CMessageNode& node, CMemoryPage& page, size_t seed) {
    std::vector<uint8_t> buffer(seed % 96);
    int length = 0;
    node.BuildFromPage(page, buffer.data(), length, static_cast<int>(buffer.size()));
    for (const CMemoryPage::Control& control : page.Controls()) node.ValidateControl(page, control.source.id);
}

// typed: the bytes as the text a user could type into a page.
void ShowOnPages(CMessageNode& node, const std::vector<uint8_t>& bytes, const std::u16string& typed) {
    if (const DialogTemplate* dialog = kNmeaResources.FindDialog(node.ResourceDialogId())) {
        const int length = static_cast<int>(bytes.size());
        CMemoryPage page(*dialog);
        node.InitPage(page);
        node.ShowData(page, node.FrameBytes(), node.FrameLength());
        node.ResizePage(page, length % 700 - 100, length % 500 - 100);
        ComposeFromPage(node, page, bytes.size());
        node.ShowData(page, bytes.data(), length);
        page.TypeText(nmea_page::kSentence, typed);
        ComposeFromPage(node, page, bytes.size() / 3);
    }
    for (auto position = node.GetFirstChild(); position;) ShowOnPages(*node.GetNextChild(position), bytes, typed);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static NmeaHost host;
    const std::vector<uint8_t> bytes(data, data + size);
    for (size_t at = 0; at < bytes.size(); ++at)
        NmeaCheckFrame(bytes.data() + at, static_cast<int32_t>(bytes.size() - at));

    const std::string stream = StreamFromLines(data, size);
    CFrameSplitter splitter;
    splitter.AddProtocol(&host.entry, NmeaCheckFrame);
    FeedStreamChecked(splitter, reinterpret_cast<const uint8_t*>(stream.data()), stream.size(),
                      [&](const FrameRecord& record) {
                          if (!record.protocol) return;
                          if (CMessageNode* node = host.root.Find(record.bytes, record.length, MessageMask)) {
                              host.document.ProcessMessage(node, false);
                              ExerciseNode(*node, static_cast<size_t>(record.length));
                          }
                      });

    OfferToEveryNode(host.root, bytes);
    ShowOnPages(host.root, bytes, platform::AnsiToWide({reinterpret_cast<const char*>(data), size}));
    return 0;
}
