#include "plugins/kvb/editors/custom_editor.h"

#include <algorithm>

#include "plugins/kvb/framing/kvb_frame.h"
#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

using namespace kvb_res::custom;

constexpr int kPayloadCharacters = 1000;
constexpr int kFrameOverhead = 8;
constexpr uint32_t kLargestByte = 0xFF;

std::optional<uint8_t> ReadByte(const CDialogPage& page, int control) {
    uint32_t value = 0;
    bool onlyBlanks = false;
    bool valid = false;
    value = GetDlgNumber(page, control, &valid, 16, false, &onlyBlanks);
    if (!valid || !onlyBlanks || value > kLargestByte) return std::nullopt;
    return static_cast<uint8_t>(value);
}

}  // namespace

void CCustomEditor::Init(CDialogPage& page) const {
    page.SetTextLimit(kClass, 2);
    page.SetTextLimit(kId, 2);
    page.SetTextLimit(kPayload, kPayloadCharacters);
}

void CCustomEditor::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    if (!frame || length < kFrameOverhead) {
        page.SetControlText(kClass, u"??");
        page.SetControlText(kId, u"??");
        page.SetControlText(kPayload, u"");
        return;
    }
    SetDlgHex(page, kClass, frame[2], 2);
    SetDlgHex(page, kId, frame[3], 2);
    SetDlgHexDump(page, kPayload, frame + 6, length - kFrameOverhead, 1);
}

bool CCustomEditor::Validate(const CDialogPage& page, int control) const {
    if (control == kClass || control == kId) return ReadByte(page, control).has_value();
    if (control == kPayload) return IsDlgHexDump(page, kPayload, 1);
    return true;
}

bool CCustomEditor::Build(const CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) const {
    const std::optional<uint8_t> messageClass = ReadByte(page, kClass);
    const std::optional<uint8_t> id = ReadByte(page, kId);
    outLength = 0;
    if (!buffer || capacity < kFrameOverhead || !messageClass || !id || !IsDlgHexDump(page, kPayload, 1)) return false;
    std::fill(buffer, buffer + capacity, uint8_t{0});
    bool valid = false;
    const int count = GetDlgHexDump(page, kPayload, buffer + 6, capacity - kFrameOverhead, 1, &valid);
    outLength = count + kFrameOverhead;
    KvbWriteFrame(*messageClass, *id, buffer, outLength);
    return true;
}

const CCustomEditor kCustomEditor;
