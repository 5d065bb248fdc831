#pragma once
#include "plugins/kvb/pages/kvb_form_page.h"

// MON-VER: the software and hardware versions, and one entry per extension.
class CMonVerPage : public CKvbFormPage {
public:
    CMonVerPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    void ShowMore(CDialogPage& page, const KvbPayload& payload) const override;
};

extern const CMonVerPage kMonVerPage;
