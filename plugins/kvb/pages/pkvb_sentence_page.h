#pragma once
#include "plugins/kvb/pages/kvb_list_page.h"

// A proprietary sentence, field by field: its number and its text.
class CPkvbSentencePage : public CKvbListPage {
public:
    CPkvbSentencePage();

    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;

protected:
    bool Fits(const KvbPayload&) const override { return false; }
};

extern const CPkvbSentencePage kPkvbSentencePage;
