#include "custom_root.h"

#include <algorithm>
#include <vector>

#include "platform/text.h"
#include "resources/veltro/dialogs.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

VELTRO_IMPLEMENT_CLASS(CCustomRoot, CProtocolRoot)

namespace {

using dialog::kCustomContent;
using dialog::kCustomHexMode;

// At most what the edit control can hold as hexadecimal: two digits and a blank a byte.
constexpr int kLargestContent = dialog::kCustomContentLimit;

void ShowContent(CDialogPage& page, bool hex, const uint8_t* bytes, int length) {
    if (hex)
        SetDlgHexDump(page, kCustomContent, bytes, length, 1);
    else
        page.SetControlText(kCustomContent, platform::AnsiToWide({reinterpret_cast<const char*>(bytes),
                                                                  static_cast<size_t>(std::max(length, 0))}));
}

int ReadContent(const CDialogPage& page, bool hex, uint8_t* buffer, int capacity) {
    if (hex) return GetDlgHexDump(page, kCustomContent, buffer, capacity, 1, nullptr);
    const std::string text = platform::WideToAnsi(page.GetControlText(kCustomContent));
    const int count = std::min(static_cast<int>(text.size()), std::max(capacity, 0));
    std::copy_n(text.begin(), count, buffer);
    return count;
}

}  // namespace

CCustomRoot::CCustomRoot() : CProtocolRoot(nullptr, u"CUSTOM", nullptr, dialog::kCustomMessage, MASK_ORDINARY) {}

void CCustomRoot::InitPage(CDialogPage& page) {
    page.SetChecked(kCustomHexMode, true);
    page.SetTextLimit(kCustomContent, dialog::kCustomContentLimit);
}

void CCustomRoot::ShowData(CDialogPage& page, const uint8_t* bytes, int length) {
    ShowContent(page, page.IsChecked(kCustomHexMode), bytes, length);
}

bool CCustomRoot::BuildFromPage(CDialogPage& page, uint8_t* buffer, int& outLength, int capacity) {
    outLength = ReadContent(page, page.IsChecked(kCustomHexMode), buffer, capacity);
    return outLength > 0;
}

void CCustomRoot::ResizePage(CDialogPage& page, int width, int height) {
    const PageRect content = page.ControlRect(kCustomContent);
    SizeDlgItemToBottom(page, kCustomContent, std::max(width - 2 * content.x, 0), height - content.x);
}

bool CCustomRoot::ValidateControl(CDialogPage& page, int controlId) {
    return controlId != kCustomContent || !page.IsChecked(kCustomHexMode) || IsDlgHexDump(page, kCustomContent, 1);
}

// The user switched the mode: the bytes stay, written the other way. Content that does not read
// in the old mode is left for the user to mend.
bool CCustomRoot::OnControlChange(CDialogPage& page, int controlId) {
    if (controlId != kCustomHexMode) return false;
    const bool hex = page.IsChecked(kCustomHexMode);
    const bool wasHex = !hex;
    if (wasHex && !IsDlgHexDump(page, kCustomContent, 1)) return false;
    std::vector<uint8_t> bytes(kLargestContent);
    const int length = ReadContent(page, wasHex, bytes.data(), kLargestContent);
    ShowContent(page, hex, bytes.data(), length);
    page.RedrawControl(kCustomContent);
    return false;
}
