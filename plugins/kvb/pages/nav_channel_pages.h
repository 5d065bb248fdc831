#pragma once
#include "plugins/kvb/pages/kvb_list_page.h"

// Tables with one row per receiver channel or satellite.

// NAV-SVINFO: signal, use, quality (with its icon), direction and orbit of every channel.
class CNavSvInfoPage : public CKvbListPage {
public:
    CNavSvInfoPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> RecordRows(const KvbPayload& payload) const override;
    const BitmapResource* Icons() const override;
};

// NAV-SVPOS: where each satellite is, in the earth-centred frame and in the sky.
class CNavSvPosPage : public CKvbListPage {
public:
    CNavSvPosPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> RecordRows(const KvbPayload& payload) const override;
};

extern const CNavSvInfoPage kNavSvInfoPage;
extern const CNavSvPosPage kNavSvPosPage;
