// Arbitrary bytes against the KVB plug-in: the recogniser at every position, the stream through
// the splitter into the message tree and the document's decoding into the real database (with the
// frames' checksums made valid, so that the bytes reach the decoders instead of dying at the
// checksum), every node offered the raw bytes as the host offers it frames that it sends, and
// every frame and the raw bytes shown on the page of every message, in memory, and the raw bytes
// typed into every field of every page, each field checked, and the pages built and polled.
#include <algorithm>
#include <string>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "fuzz/checked_feed.h"
#include "fuzz/kvb_fuzz_host.h"
#include "host/core/intake/protocol_root.h"
#include "host/core/intake/veltro_doc.h"
#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/framing/kvb_frame.h"
#include "plugins/kvb/pages/pkvb_sentence_page.h"
#include "plugins/kvb/resources/kvb_resources.h"
#include "shared/memory_page.h"

namespace {

void ExerciseNode(CMessageNode& node, size_t seed) {
    uint8_t buffer[16];
    char16_t name[12];
    int length = 0;
    node.Name();
    node.BuildPollIfSupported(buffer, static_cast<int>(seed % sizeof buffer), length, name, static_cast<int>(seed % 13),
                              static_cast<int>(seed % 80));
    node.BuildRateCommand(seed & 1, buffer, length, static_cast<int>(seed % sizeof buffer));
}

// The pages of every node, as the message view makes them for the mode of this input. The tree is
// built without a module, so the templates come from the plug-in's own table.
class PageSet {
public:
    explicit PageSet(CMessageNode& root) { Add(root); }

    void Show(const uint8_t* bytes, int length, size_t seed) {
        for (auto& [node, page] : pages) {
            node->ShowData(page, bytes, length);
            node->ResizePage(page, static_cast<int>(seed % 400), static_cast<int>(seed / 3 % 400));
        }
    }

    // Every field that takes text gets the bytes as typed text, and is checked and changed as the
    // message view checks and tells a change; then the page builds its frame and its poll.
    void Type(const std::vector<uint8_t>& bytes, size_t seed) {
        const std::u16string text(bytes.begin(), bytes.end());
        uint8_t buffer[128];
        for (auto& [node, page] : pages) {
            for (const CMemoryPage::Control& control : page.Controls()) {
                const int id = control.source.id;
                if (TakesText(control.source.kind)) page.SetControlText(id, text.substr(0, seed % 48));
                node->ValidateControl(page, id);
                node->OnControlChange(page, id);
            }
            int length = 0;
            node->BuildFromPage(page, buffer, length, static_cast<int>(seed % sizeof buffer));
            node->BuildPoll(page, buffer, length, static_cast<int>(seed % 16));
        }
    }

private:
    static bool TakesText(ControlKind kind) {
        return kind == ControlKind::Edit || kind == ControlKind::DropDownEdit || kind == ControlKind::MultiLineEdit;
    }

    void Add(CMessageNode& node) {
        if (const DialogTemplate* dialog = KvbResources().FindDialog(node.ResourceDialogId())) {
            pages.emplace_back(&node, CMemoryPage(*dialog));
            node.InitPage(pages.back().second);
        }
        for (auto position = node.GetFirstChild(); position;) Add(*node.GetNextChild(position));
    }

    std::vector<std::pair<CMessageNode*, CMemoryPage>> pages;
};

// The proprietary sentences' page reads any text.
void ShowAsSentence(const std::vector<uint8_t>& bytes) {
    CMemoryPage page(*KvbResources().FindDialog(kvb_res::kListPage));
    kPkvbSentencePage.Init(page);
    kPkvbSentencePage.Show(page, bytes.data(), static_cast<int>(bytes.size()));
}

void OfferToEveryNode(CMessageNode& node, const std::vector<uint8_t>& bytes, uint32_t mask) {
    node.Accept(bytes.data(), static_cast<int>(bytes.size()));
    for (auto position = node.GetFirstChild(); position;) {
        CMessageNode* child = node.GetNextChild(position);
        child->Find(bytes.data(), static_cast<int>(bytes.size()), mask);
        OfferToEveryNode(*child, bytes, mask);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static KvbHost host;
    const std::vector<uint8_t> bytes(data, data + size);
    const uint32_t mask = size & 1 ? ~0u : MASK_ORDINARY;
    KvbPlugin().protocol.SetMode(size & 2 ? 1 : 0);

    for (size_t at = 0; at < bytes.size(); ++at)
        KvbCheckFrame(bytes.data() + at, static_cast<int32_t>(bytes.size() - at));

    const std::vector<uint8_t> stream = StreamFromChunks(data, size);
    PageSet pages(host.root);
    CFrameSplitter splitter;
    splitter.AddProtocol(&host.entry, KvbCheckFrame);
    FeedStreamChecked(splitter, stream.data(), stream.size(), [&](const FrameRecord& record) {
        if (!record.protocol) return;
        if (CMessageNode* node = host.root.Find(record.bytes, record.length, mask)) {
            host.document.ProcessMessage(node, false);
            ExerciseNode(*node, static_cast<size_t>(record.length));
            pages.Show(record.bytes, record.length, static_cast<size_t>(record.length));
        }
    });

    OfferToEveryNode(host.root, bytes, mask);
    pages.Show(bytes.data(), static_cast<int>(bytes.size()), size);
    pages.Type(bytes, size);
    ShowAsSentence(bytes);
    return 0;
}
