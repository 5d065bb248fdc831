#pragma once
#include "plugins/kvb/pages/kvb_form_page.h"

// The navigation messages shown in labelled fields.

// NAV-POSLLH: the geoid separation is the difference of the two heights.
class CNavPosLlhPage : public CKvbFormPage {
public:
    CNavPosLlhPage();

protected:
    void ShowMore(CDialogPage& page, const KvbPayload& payload) const override;
};

// NAV-TIMEGPS: week, fraction and leap seconds, each marked invalid where the receiver says so.
class CNavTimeGpsPage : public CKvbFormPage {
public:
    CNavTimeGpsPage();

protected:
    void ShowMore(CDialogPage& page, const KvbPayload& payload) const override;
};

// NAV-TIMEUTC: date and time of day, marked invalid where the receiver says so.
class CNavTimeUtcPage : public CKvbFormPage {
public:
    CNavTimeUtcPage();

protected:
    void ShowMore(CDialogPage& page, const KvbPayload& payload) const override;
};

// NAV-POSUTM: grid coordinates, hemisphere and zone.
class CNavPosUtmPage : public CKvbFormPage {
public:
    CNavPosUtmPage();

protected:
    void ShowMore(CDialogPage& page, const KvbPayload& payload) const override;
};

extern const CKvbFormPage kNavPosEcefPage;
extern const CNavPosLlhPage kNavPosLlhPage;
extern const CKvbFormPage kNavVelEcefPage;
extern const CKvbFormPage kNavVelNedPage;
extern const CNavTimeGpsPage kNavTimeGpsPage;
extern const CNavTimeUtcPage kNavTimeUtcPage;
extern const CKvbFormPage kNavClockPage;
extern const CNavPosUtmPage kNavPosUtmPage;
