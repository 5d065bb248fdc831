#include "plugins/kvb/pages/information_page.h"

#include "platform/text.h"
#include "plugins/kvb/framing/kvb_payload.h"
#include "plugins/kvb/resources/kvb_resource_ids.h"
#include "shared/dialog_page.h"

namespace {

// The message id names the kind: errors, warnings, notices (no prefix), tests, debug output,
// the two kinds without prefix, user texts, and the reserved ids from 8 on.
std::u16string Prefix(uint8_t id) {
    static constexpr const char16_t* kPrefixes[] = {u"ERROR: ", u"WARNING: ", u"", u"TEST: ",
                                                    u"DEBUG: ", u"",          u"", u"USER: "};
    if (id < std::size(kPrefixes)) return kPrefixes[id];
    return platform::FormatW(u"RES%d: ", int{id});
}

}  // namespace

std::u16string KvbInformationText(const uint8_t* frame, int length) {
    const KvbPayload payload = KvbPayload::OfFrame(frame, length);
    if (payload.Size() == 0) return {};
    return Prefix(frame[3]) + platform::AnsiToWide(payload.Text(0, payload.Size()));
}

CInformationPage::CInformationPage() : CKvbPage(kvb_res::kText) {}

void CInformationPage::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    page.SetControlText(kvb_res::kText, KvbInformationText(frame, length));
}

const CInformationPage kInformationPage;
