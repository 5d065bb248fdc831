#include "message_counts.h"

#include <algorithm>

#include "host/core/intake/veltro_doc.h"
#include "host/core/messages/message_list.h"
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
    Count& count = counts[PathOf(node)];
    if (count.frames++ == 0) count.name = MessageName(*node);
    if (node->Root() == &document.Plugins().UnknownRoot() || node == &document.Plugins().UnknownRoot())
        unrecognisedBytes += static_cast<uint64_t>(node->FrameLength());
}

void CMessageCounts::Print(std::FILE* out) const {
    size_t width = 0;
    for (const auto& [path, count] : counts) width = std::max(width, platform::WideToUtf8(count.name).size());
    for (const auto& [path, count] : counts)
        std::fprintf(out, "%10llu  %-*s  %s\n", static_cast<unsigned long long>(count.frames), static_cast<int>(width),
                     platform::WideToUtf8(count.name).c_str(), platform::WideToUtf8(path).c_str());
    std::fprintf(out, "%10llu  unrecognised bytes\n", static_cast<unsigned long long>(unrecognisedBytes));
}
