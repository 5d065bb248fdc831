#include "plugins/kvb/pages/nav_fix_pages.h"

#include "plugins/kvb/catalogue/kvb_plugin.h"
#include "plugins/kvb/pages/kvb_page_texts.h"

namespace {

constexpr uint8_t kFixOk = 0x01;
constexpr uint8_t kDifferential = 0x02;
constexpr uint8_t kWeekValid = 0x04;
constexpr uint8_t kTimeOfWeekValid = 0x08;
constexpr uint8_t kSufficientPosition = 0x10;
constexpr uint8_t kSkipCheck = 0x20;
constexpr uint8_t kSelectiveAvailabilityOff = 0x40;
constexpr uint8_t kFixValidated = 0x80;
constexpr bool kExtended = true;

std::u16string Seconds(uint32_t milliseconds) { return KvbCell(u"%.3f s", milliseconds * 0.001); }

// ---- NAV-STATUS (payload 16): iTOW, gpsFix U1 at 4, flags U1 at 5, corrections U1 at 6, ttff U4
// at 8 and msss U4 at 12, both in ms.

constexpr KvbColumn kStatusColumns[] = {{u"Param", 110}, {u"Value", 90}};
constexpr KvbRow kStatusRows[] = {
    {u"Position Fix Type"},
    {u"Position within Limits"},
    {u"DGPS Fix"},
    {u"Weeknumber Valid"},
    {u"Time of Week Valid"},
    {u"SufPos Flag", nullptr, kExtended},
    {u"SkipCheck Flag", nullptr, kExtended},
    {u"SA Status", nullptr, kExtended},
    {u"FixValidated", nullptr, kExtended},
    {u"DGPS In"},
    {u"DGPS Out", nullptr, kExtended},
    {u"TTFF"},
    {u"Time since Powerup"},
};

const char16_t* Bit(bool set) { return set ? u"1" : u"0"; }

// ---- NAV-SOL (payload 52): iTOW, fTOW I4 at 4 (ns), week I2 at 8, gpsFix at 10, flags at 11,
// ECEF position I4 at 12 and its accuracy U4 at 24 (cm), velocity I4 at 28 and its accuracy U4
// at 40 (cm/s), pDOP U2 at 44, numSV at 47; bit 0 of byte 46 marks time extrapolation.

constexpr KvbColumn kSolColumns[] = {{u"Param", 160}, {u"Value", 200}, {u"Units", 80}};
constexpr KvbRow kSolRows[] = {
    {u"Week Number:Time of Week", u"[wno:s]"},
    {u"Position Fix Type", u""},
    {u"Fix Flags", u""},
    {u"Position ECEF (x, y, z)", u"[m,m,m]"},
    {u"Position Accuracy Estimate", u"[m]"},
    {u"Velocity ECEF (x, y, z)", u"[m/s,m/s,m/s]"},
    {u"Velocity Accuracy Estimate", u"[m/s]"},
    {u"PDOP", u""},
    {u"#SVs Used", u"PRN-#"},
};

std::u16string WeekAndTime(const KvbPayload& payload) {
    const uint8_t flags = payload.U1(11);
    const int week = payload.I2(8);
    const double seconds = payload.U4(0) * 0.001 + payload.I4(4) * 1e-9;
    const bool weekValid = flags & kWeekValid;
    const bool timeValid = flags & kTimeOfWeekValid;
    if (weekValid && timeValid) return KvbCell(u"%i:%.9f", week, seconds);
    if (weekValid) return KvbCell(u"%i:????", week);
    if (timeValid) return KvbCell(u"????:%.9f", seconds);
    return u"????:????";
}

std::u16string FixFlags(const KvbPayload& payload) {
    const uint8_t flags = payload.U1(11);
    std::u16string text;
    if (flags & kFixOk) text += u"FixOK ";
    if (flags & kDifferential) text += u"DGPS ";
    if (!KvbExtendedMode()) return text;
    if (flags & kSufficientPosition) text += u"SUFPOS ";
    if (flags & kSkipCheck) text += u"SKIPCHK ";
    text += flags & kSelectiveAvailabilityOff ? u"SAOFF " : u"SAON! ";
    if (flags & kFixValidated) text += u"FV ";
    if (payload.U1(46) & 0x01) text += u"TE ";
    return text;
}

std::u16string Triple(const KvbPayload& payload, size_t offset) {
    return KvbCell(u"%.1f, %.1f, %.1f", payload.I4(offset) * 0.01, payload.I4(offset + 4) * 0.01,
                   payload.I4(offset + 8) * 0.01);
}

// ---- NAV-DOP (payload 18): iTOW, then the seven dilutions U2 in hundredths from offset 4.

constexpr KvbColumn kDopColumns[] = {{u"Param", 50}, {u"Value", 50}, {u"Description", 100}};
constexpr KvbRow kDopRows[] = {
    {u"GDOP", u"Geometric DOP"},  {u"PDOP", u"Position DOP"}, {u"TDOP", u"Time DOP"},    {u"VDOP", u"Vertical DOP"},
    {u"HDOP", u"Horizontal DOP"}, {u"NDOP", u"Northing DOP"}, {u"EDOP", u"Easting DOP"},
};

}  // namespace

// ---- CNavStatusPage

CNavStatusPage::CNavStatusPage() : CKvbListPage(kStatusColumns, kStatusRows) {}

bool CNavStatusPage::Fits(const KvbPayload& payload) const { return payload.Size() == 16; }

std::vector<KvbRowCells> CNavStatusPage::FixedRows(const KvbPayload& payload) const {
    const uint8_t flags = payload.U1(5);
    const uint8_t corrections = payload.U1(6);
    return {
        KvbValue(KvbFixTypeName(payload.U1(4))),
        KvbValue(KvbYesNo(flags & kFixOk)),
        KvbValue(KvbYesNo(flags & kDifferential)),
        KvbValue(KvbYesNo(flags & kWeekValid)),
        KvbValue(KvbYesNo(flags & kTimeOfWeekValid)),
        KvbValue(Bit(flags & kSufficientPosition)),
        KvbValue(Bit(flags & kSkipCheck)),
        KvbValue(flags & kSelectiveAvailabilityOff ? u"inactive" : u"active"),
        KvbValue(KvbYesNo(flags & kFixValidated)),
        KvbValue(KvbCorrectionName(corrections)),
        KvbValue(KvbCorrectionName(corrections >> 2)),
        KvbValue(Seconds(payload.U4(8))),
        KvbValue(Seconds(payload.U4(12))),
    };
}

// ---- CNavSolPage

CNavSolPage::CNavSolPage() : CKvbListPage(kSolColumns, kSolRows) {}

bool CNavSolPage::Fits(const KvbPayload& payload) const { return payload.Size() == 52; }

// Without a fix the solution's numbers mean nothing, unless the engineer asks to see them.
std::vector<KvbRowCells> CNavSolPage::FixedRows(const KvbPayload& payload) const {
    std::vector<KvbRowCells> cells = {
        KvbValue(WeekAndTime(payload)),
        KvbValue(KvbFixTypeName(payload.U1(10))),
        KvbValue(FixFlags(payload)),
    };
    if (payload.U1(10) == 0 && !KvbExtendedMode()) return cells;
    cells.push_back(KvbValue(Triple(payload, 12)));
    cells.push_back(KvbValue(KvbCell(u"%.1f", payload.U4(24) * 0.01)));
    cells.push_back(KvbValue(Triple(payload, 28)));
    cells.push_back(KvbValue(KvbCell(u"%.1f", payload.U4(40) * 0.01)));
    cells.push_back(KvbValue(KvbCell(u"%.2f", payload.U2(44) * 0.01)));
    cells.push_back(KvbValue(KvbCell(u"%i", payload.U1(47))));
    return cells;
}

// ---- CNavDopPage

CNavDopPage::CNavDopPage() : CKvbListPage(kDopColumns, kDopRows) {}

bool CNavDopPage::Fits(const KvbPayload& payload) const { return payload.Size() == 18; }

std::vector<KvbRowCells> CNavDopPage::FixedRows(const KvbPayload& payload) const {
    std::vector<KvbRowCells> cells;
    for (size_t row = 0; row < std::size(kDopRows); ++row)
        cells.push_back(KvbValue(KvbCell(u"%.2f", payload.U2(4 + 2 * row) * 0.01)));
    return cells;
}

const CNavStatusPage kNavStatusPage;
const CNavSolPage kNavSolPage;
const CNavDopPage kNavDopPage;
