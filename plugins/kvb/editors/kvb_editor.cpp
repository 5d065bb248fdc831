#include "plugins/kvb/editors/kvb_editor.h"

#include <algorithm>

#include "plugins/kvb/framing/kvb_frame.h"

namespace {
constexpr uint8_t kConfigurationClass = 0x06;
constexpr int kFrameOverhead = 8;
constexpr int kPayloadOffset = 6;
}  // namespace

void CKvbEditor::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    if (!frame || length < kFrameOverhead) return;
    const size_t payloadSize = static_cast<size_t>(length - kFrameOverhead);
    if (!Fits(payloadSize)) return;
    ShowPayload(page, {frame + kPayloadOffset, payloadSize});
}

bool CKvbEditor::Build(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const {
    const int total = static_cast<int>(PayloadSize(page)) + kFrameOverhead;
    outLength = total;
    if (!buffer || capacity < total) return false;
    std::fill(buffer, buffer + capacity, uint8_t{0});
    if (!BuildPayload(page, {buffer + kPayloadOffset, static_cast<size_t>(total - kFrameOverhead)})) return false;
    KvbWriteFrame(kConfigurationClass, id, buffer, total);
    return total > 0;
}
