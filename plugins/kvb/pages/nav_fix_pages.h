#pragma once
#include "plugins/kvb/pages/kvb_list_page.h"

// The fix and its quality, in tables of parameters.

// NAV-STATUS: fix type, flags, corrections, time to first fix and since power-up.
class CNavStatusPage : public CKvbListPage {
public:
    CNavStatusPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> FixedRows(const KvbPayload& payload) const override;
};

// NAV-SOL: GPS time, fix, ECEF position and velocity with their accuracies, PDOP, satellites.
class CNavSolPage : public CKvbListPage {
public:
    CNavSolPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> FixedRows(const KvbPayload& payload) const override;
};

// NAV-DOP: the dilutions of precision.
class CNavDopPage : public CKvbListPage {
public:
    CNavDopPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> FixedRows(const KvbPayload& payload) const override;
};

extern const CNavStatusPage kNavStatusPage;
extern const CNavSolPage kNavSolPage;
extern const CNavDopPage kNavDopPage;
