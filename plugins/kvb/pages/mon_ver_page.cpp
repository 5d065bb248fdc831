#include "plugins/kvb/pages/mon_ver_page.h"

#include "platform/text.h"
#include "plugins/kvb/resources/kvb_resource_ids.h"
#include "shared/dialog_page.h"

namespace {

// Payload: the software version in 30 bytes, the hardware version in 10, then any number of
// extensions of 30 bytes each; every text is zero-terminated unless it fills its field.
constexpr size_t kSoftwareSize = 30;
constexpr size_t kHardwareOffset = 30;
constexpr size_t kHardwareSize = 10;
constexpr size_t kExtensionsOffset = 40;
constexpr size_t kExtensionSize = 30;

std::u16string TextAt(const KvbPayload& payload, size_t offset, size_t size) {
    return platform::AnsiToWide(payload.Text(offset, size));
}

}  // namespace

CMonVerPage::CMonVerPage() : CKvbFormPage(kvb_res::kMonVerPage, kExtensionsOffset, {}) {}

bool CMonVerPage::Fits(const KvbPayload& payload) const {
    return payload.Size() >= kExtensionsOffset && (payload.Size() - kExtensionsOffset) % kExtensionSize == 0;
}

void CMonVerPage::ShowMore(CDialogPage& page, const KvbPayload& payload) const {
    using namespace kvb_res::monver;
    page.SetControlText(kSoftware, TextAt(payload, 0, kSoftwareSize));
    page.SetControlText(kHardware, TextAt(payload, kHardwareOffset, kHardwareSize));
    page.ClearItems(kExtensions);
    for (size_t at = kExtensionsOffset; at < payload.Size(); at += kExtensionSize)
        page.AddItem(kExtensions, TextAt(payload, at, kExtensionSize));
}

const CMonVerPage kMonVerPage;
