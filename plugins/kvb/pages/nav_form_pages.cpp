#include "plugins/kvb/pages/nav_form_pages.h"

#include "plugins/kvb/resources/kvb_resource_ids.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

using enum KvbFieldType;
using namespace kvb_res;

constexpr double kCentimetres = 0.01;
constexpr double kMillimetres = 0.001;
constexpr double kTenMillionths = 1e-7;
constexpr double kHundredThousandths = 1e-5;
constexpr double kMillionths = 1e-6;
// Milliseconds to seconds, nanoseconds to microseconds.
constexpr double kThousandths = 0.001;

constexpr KvbFormField kTimeOfWeekField{kTimeOfWeek, 0, U4, kThousandths, 3};

// clang-format off
constexpr KvbFormField kPosEcefFields[] = {
    kTimeOfWeekField,
    {posecef::kX, 4, I4, kCentimetres, 2},
    {posecef::kY, 8, I4, kCentimetres, 2},
    {posecef::kZ, 12, I4, kCentimetres, 2},
    {posecef::kAccuracy, 16, U4, kCentimetres, 2},
};

constexpr KvbFormField kPosLlhFields[] = {
    kTimeOfWeekField,
    {posllh::kLongitude, 4, I4, kTenMillionths, 7},
    {posllh::kLatitude, 8, I4, kTenMillionths, 7},
    {posllh::kEllipsoid, 12, I4, kMillimetres, 3},
    {posllh::kMeanSeaLevel, 16, I4, kMillimetres, 3},
    {posllh::kHorizontal, 20, U4, kMillimetres, 3},
    {posllh::kVertical, 24, U4, kMillimetres, 3},
};

constexpr KvbFormField kVelEcefFields[] = {
    kTimeOfWeekField,
    {velecef::kX, 4, I4, kCentimetres, 2},
    {velecef::kY, 8, I4, kCentimetres, 2},
    {velecef::kZ, 12, I4, kCentimetres, 2},
    {velecef::kAccuracy, 16, U4, kCentimetres, 2},
};

constexpr KvbFormField kVelNedFields[] = {
    kTimeOfWeekField,
    {velned::kNorth, 4, I4, kCentimetres, 2},
    {velned::kEast, 8, I4, kCentimetres, 2},
    {velned::kDown, 12, I4, kCentimetres, 2},
    {velned::kSpeed, 16, U4, kCentimetres, 2},
    {velned::kGroundSpeed, 20, U4, kCentimetres, 2},
    {velned::kHeading, 24, I4, kHundredThousandths, 2},
    {velned::kSpeedAccuracy, 28, U4, kCentimetres, 2},
    {velned::kHeadingAccuracy, 32, U4, kHundredThousandths, 2},
};

constexpr KvbFormField kTimeGpsFields[] = {
    kTimeOfWeekField,
    {timegps::kAccuracy, 12, U4, kThousandths, 3},
};

constexpr KvbFormField kTimeUtcFields[] = {
    kTimeOfWeekField,
    {timeutc::kAccuracy, 4, U4, kThousandths, 3},
};

constexpr KvbFormField kClockFields[] = {
    kTimeOfWeekField,
    {clock::kBias, 4, I4, kThousandths, 3},
    {clock::kDrift, 8, I4, kThousandths, 3},
    {clock::kTimeAccuracy, 12, U4, kThousandths, 3},
    {clock::kFrequencyAccuracy, 16, U4, kMillionths, 6},
};

constexpr KvbFormField kPosUtmFields[] = {
    kTimeOfWeekField,
    {posutm::kAltitude, 12, I4, kCentimetres, 2},
};
// clang-format on

// Validity bits of NAV-TIMEGPS (byte 11) and NAV-TIMEUTC (byte 19).
constexpr uint8_t kTimeOfWeekValid = 0x01;
constexpr uint8_t kWeekValid = 0x02;
constexpr uint8_t kLeapSecondsValid = 0x04;
constexpr uint8_t kUtcValid = 0x04;

void MarkInvalid(CDialogPage& page, int control, bool valid) {
    if (!valid) page.SetControlText(control, u"Invalid");
}

}  // namespace

// ---- CNavPosLlhPage: height above the ellipsoid I4 at 12, above mean sea level I4 at 16 (mm).

CNavPosLlhPage::CNavPosLlhPage() : CKvbFormPage(kPosLlhPage, 28, kPosLlhFields) {}

void CNavPosLlhPage::ShowMore(CDialogPage& page, const KvbPayload& payload) const {
    SetDlgDouble(page, posllh::kGeoidSeparation, (int64_t{payload.I4(12)} - payload.I4(16)) * kMillimetres, 3);
}

// ---- CNavTimeGpsPage: fTOW I4 at 4 (ns), week I2 at 8, leap seconds I1 at 10, validity at 11.

CNavTimeGpsPage::CNavTimeGpsPage() : CKvbFormPage(kTimeGpsPage, 16, kTimeGpsFields) {}

void CNavTimeGpsPage::ShowMore(CDialogPage& page, const KvbPayload& payload) const {
    const uint8_t valid = payload.U1(11);
    SetDlgText(page, timegps::kWeek, u"%i", payload.I2(8));
    SetDlgText(page, timegps::kFraction, u"%i", payload.I4(4));
    SetDlgText(page, timegps::kLeapSeconds, u"%i", payload.I1(10));
    MarkInvalid(page, kTimeOfWeek, valid & kTimeOfWeekValid);
    MarkInvalid(page, timegps::kFraction, valid & kTimeOfWeekValid);
    MarkInvalid(page, timegps::kWeek, valid & kWeekValid);
    MarkInvalid(page, timegps::kLeapSeconds, valid & kLeapSecondsValid);
}

// ---- CNavTimeUtcPage: nano I4 at 8, year U2 at 12, month, day, hour, minute, second U1 at 14-18,
// validity at 19.

CNavTimeUtcPage::CNavTimeUtcPage() : CKvbFormPage(kTimeUtcPage, 20, kTimeUtcFields) {}

void CNavTimeUtcPage::ShowMore(CDialogPage& page, const KvbPayload& payload) const {
    const uint8_t valid = payload.U1(19);
    SetDlgText(page, timeutc::kDate, u"%i. %i. %4i", payload.U1(15), payload.U1(14), payload.U2(12));
    SetDlgText(page, timeutc::kTime, u"%02i:%02i:%02i", payload.U1(16), payload.U1(17), payload.U1(18));
    SetDlgText(page, timeutc::kFraction, u"%i", payload.I4(8));
    MarkInvalid(page, kTimeOfWeek, valid & kTimeOfWeekValid);
    for (int control : {timeutc::kDate, timeutc::kTime, timeutc::kFraction})
        MarkInvalid(page, control, valid & kUtcValid);
}

// ---- CNavPosUtmPage: easting I4 at 4, northing I4 at 8 (cm), zone I1 at 16, hemisphere U1 at 17
// (0 north).

CNavPosUtmPage::CNavPosUtmPage() : CKvbFormPage(kPosUtmPage, 18, kPosUtmFields) {}

void CNavPosUtmPage::ShowMore(CDialogPage& page, const KvbPayload& payload) const {
    SetDlgText(page, posutm::kEasting, u"%010.2f", payload.I4(4) * kCentimetres);
    SetDlgText(page, posutm::kNorthing, u"%010.2f", payload.I4(8) * kCentimetres);
    page.SetControlText(posutm::kHemisphere, payload.U1(17) == 0 ? u"North" : u"South");
    SetDlgText(page, posutm::kZone, u"%i", payload.I1(16));
}

const CKvbFormPage kNavPosEcefPage{kPosEcefPage, 20, kPosEcefFields};
const CNavPosLlhPage kNavPosLlhPage;
const CKvbFormPage kNavVelEcefPage{kVelEcefPage, 20, kVelEcefFields};
const CKvbFormPage kNavVelNedPage{kVelNedPage, 36, kVelNedFields};
const CNavTimeGpsPage kNavTimeGpsPage;
const CNavTimeUtcPage kNavTimeUtcPage;
const CKvbFormPage kNavClockPage{kClockPage, 20, kClockFields};
const CNavPosUtmPage kNavPosUtmPage;
