#pragma once
#include "plugins/kvb/pages/kvb_list_page.h"

// NAV-EKFSTATUS: the dead-reckoning sensors' data and the filter's use and calibration of them.
class CNavEkfStatusPage : public CKvbListPage {
public:
    CNavEkfStatusPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> FixedRows(const KvbPayload& payload) const override;
};

extern const CNavEkfStatusPage kNavEkfStatusPage;
