#pragma once
#include "plugins/kvb/pages/kvb_list_page.h"

// The differential corrections the receiver applies.

// NAV-DGPS: the station and its data, then one row per corrected channel.
class CNavDgpsPage : public CKvbListPage {
public:
    CNavDgpsPage();

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> FixedRows(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> RecordRows(const KvbPayload& payload) const override;
};

// NAV-SBAS: the SBAS satellite in use, its mode, system and services in fields, then one row
// per satellite with corrections.
class CNavSbasPage : public CKvbListPage {
public:
    CNavSbasPage();

    void Show(CDialogPage& page, const uint8_t* frame, int length) const override;

protected:
    bool Fits(const KvbPayload& payload) const override;
    std::vector<KvbRowCells> RecordRows(const KvbPayload& payload) const override;
};

extern const CNavDgpsPage kNavDgpsPage;
extern const CNavSbasPage kNavSbasPage;
