#pragma once
#include <cstdint>
#include <string>

#include "plugins/kvb/pages/kvb_page.h"

// The text of an information message (class INF): a prefix for its kind, then its payload as
// single-byte text up to the first zero byte. No payload, no text.
std::u16string KvbInformationText(const uint8_t* frame, int length);

// The information page: the text in one read-only field.
class CInformationPage : public CKvbPage {
public:
    CInformationPage();

    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;
};

extern const CInformationPage kInformationPage;
