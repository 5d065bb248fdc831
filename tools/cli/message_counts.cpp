#include "message_counts.h"

#include "host/core/intake/veltro_doc.h"
#include "platform/text.h"

namespace {
std::u16string PathOf(const CMessageNode* node) {
    std::u16string path = node->Label();
    for (const CMessageNode* p = node->Parent(); p; p = p->Parent()) path = std::u16string(p->Label()) + u" / " + path;
    return path;
}
}  // namespace

CMessageCounts::CMessageCounts(CVeltroDoc& document) : document(document) { document.AddObserver(this); }

CMessageCounts::~CMessageCounts() { document.RemoveObserver(this); }

void CMessageCounts::OnUpdate(uint32_t hint, CMessageNode* node) {
    if (!(hint & HINT_MESSAGE) || !node) return;
    ++counts[PathOf(node)];
    if (node->Root() == &document.Plugins().UnknownRoot() || node == &document.Plugins().UnknownRoot())
        unrecognisedBytes += static_cast<uint64_t>(node->FrameLength());
}

void CMessageCounts::Print(std::FILE* out) const {
    for (const auto& [path, count] : counts)
        std::fprintf(out, "%10llu  %s\n", static_cast<unsigned long long>(count), platform::WideToUtf8(path).c_str());
    std::fprintf(out, "%10llu  unrecognised bytes\n", static_cast<unsigned long long>(unrecognisedBytes));
}
