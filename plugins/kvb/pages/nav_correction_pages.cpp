#include "plugins/kvb/pages/nav_correction_pages.h"

#include <optional>

#include "plugins/kvb/pages/kvb_page_texts.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

// ---- NAV-DGPS: iTOW, age I4 at 4 (ms), station id U2 at 8, health U2 at 10, numCh at 12,
// status at 13, then numCh records from 16: svid U1, flags U1 (channel in bits 0-3, bit 4 used),
// age U2 (ms), PRC R4 (m), PRRC R4 (m/s). Receivers send records of 12 or of 16 bytes (the
// later ones add four bytes at the end), so their size comes from the frame's length.

constexpr size_t kDgpsHeader = 16;
constexpr size_t kDgpsCountOffset = 12;
constexpr size_t kShortRecord = 12;
constexpr size_t kLongRecord = 16;

constexpr KvbColumn kDgpsColumns[] = {{u"Param", 120}, {u"Val/Age", 80}, {u"PRC [m]", 65}, {u"RRC [m/s]", 65}};
constexpr KvbRow kDgpsRows[] = {
    {u"Time of Week"}, {u"DGPS Data Age"}, {u"DGPS Station ID"}, {u"DGPS Station Health"}, {u"DGPS Status"},
};

std::optional<KvbRecords> DgpsRecords(const KvbPayload& payload) {
    if (payload.Size() < kDgpsHeader) return std::nullopt;
    const size_t count = payload.U1(kDgpsCountOffset);
    const size_t recordBytes = payload.Size() - kDgpsHeader;
    const size_t recordSize = count ? recordBytes / count : kShortRecord;
    if (recordSize * count != recordBytes || (recordSize != kShortRecord && recordSize != kLongRecord))
        return std::nullopt;
    return KvbRecords{kDgpsHeader, kDgpsCountOffset, recordSize};
}

KvbRowCells DgpsChannelRow(const KvbPayload& payload, size_t at, size_t) {
    const uint8_t flags = payload.U1(at + 1);
    return {{
        KvbCell(u"CH%02i   SV%02i   (%s)", flags & 0x0F, payload.U1(at), flags & 0x10 ? "used" : "too old"),
        KvbCell(u"%.3f s", payload.U2(at + 2) * 0.001),
        KvbCell(u"%.3f", payload.R4(at + 4)),
        KvbCell(u"%.3f", payload.R4(at + 8)),
    }};
}

// ---- NAV-SBAS: iTOW, geo U1 at 4, mode U1 at 5, system I1 at 6, services U1 at 7, count at 8,
// then records of 12 bytes from 12: svid U1, flags U1 (the receiver's rating), udre U1, system
// I1, services U1, a spare byte, then the fast, ionospheric and long-term corrections I2 (cm).

constexpr KvbRecords kSbas{12, 8, 12};
constexpr bool kExtended = true;

constexpr KvbColumn kSbasColumns[] = {
    {u"SV", 30},     {u"UDRE", 35},     {u"Fast", 50},
    {u"Iono", 50},   {u"Longterm", 55}, {u"Integrity", 70},
    {u"System", 45}, {u"Service", 90},  {u"Rating", 40, kExtended},
};

// The highest two UDRE indicators say that a satellite is not monitored, or not to be used.
constexpr uint8_t kNotMonitored = 14;
constexpr uint8_t kDoNotUse = 15;

const char16_t* Integrity(uint8_t udre) {
    if (udre == kDoNotUse) return u"Don't use";
    return udre == kNotMonitored ? u"Not monitored" : u"OK";
}

const char16_t* SystemName(int8_t system) {
    static constexpr const char16_t* kNames[] = {u"WAAS", u"EGNOS", u"MSAS"};
    return system >= 0 && system < 3 ? kNames[system] : u"Unknown";
}

const char16_t* ModeName(uint8_t mode) {
    static constexpr const char16_t* kNames[] = {u"Disabled", u"Operational", u"Testmode"};
    return mode < 3 ? kNames[mode] : u"Unknown";
}

std::u16string Services(uint8_t bits) {
    static constexpr const char16_t* kNames[] = {u"Rng ", u"Corr ", u"Int ", u"Test "};
    std::u16string text;
    for (int bit = 0; bit < 4; ++bit)
        if (bits & (1 << bit)) text += kNames[bit];
    return text;
}

std::u16string Metres(int16_t centimetres) { return KvbCell(u"%.2fm", centimetres * 0.01); }

KvbRowCells SbasRow(const KvbPayload& payload, size_t at, size_t) {
    return {{
        KvbCell(u"%02i", payload.U1(at)),
        KvbCell(u"%u", payload.U1(at + 2)),
        Metres(payload.I2(at + 6)),
        Metres(payload.I2(at + 8)),
        Metres(payload.I2(at + 10)),
        Integrity(payload.U1(at + 2)),
        SystemName(payload.I1(at + 3)),
        Services(payload.U1(at + 4)),
        KvbCell(u"%u", payload.U1(at + 1)),
    }};
}

// Services of the SBAS system in use.
constexpr uint8_t kRangingService = 0x01;
constexpr uint8_t kCorrectionService = 0x02;
constexpr uint8_t kIntegrityService = 0x04;

void ShowSbasStatus(CDialogPage& page, const KvbPayload* payload) {
    namespace field = kvb_res::sbas;
    SetDlgText(page, field::kGeo, payload ? u"%u" : nullptr, payload ? payload->U1(4) : 0u);
    page.SetControlText(field::kMode, payload ? ModeName(payload->U1(5)) : u"");
    page.SetControlText(field::kSystem, payload ? SystemName(payload->I1(6)) : u"");
    const uint8_t services = payload ? payload->U1(7) : 0;
    page.SetChecked(field::kRanging, services & kRangingService);
    page.SetChecked(field::kCorrections, services & kCorrectionService);
    page.SetChecked(field::kIntegrity, services & kIntegrityService);
}

}  // namespace

// ---- CNavDgpsPage

CNavDgpsPage::CNavDgpsPage() : CKvbListPage(kDgpsColumns, kDgpsRows) {}

bool CNavDgpsPage::Fits(const KvbPayload& payload) const { return DgpsRecords(payload).has_value(); }

std::vector<KvbRowCells> CNavDgpsPage::FixedRows(const KvbPayload& payload) const {
    return {
        KvbValue(KvbCell(u"%.3f s", payload.U4(0) * 0.001)), KvbValue(KvbCell(u"%.3f s", payload.I4(4) * 0.001)),
        KvbValue(KvbCell(u"0x%04hx", payload.U2(8))),        KvbValue(KvbCell(u"0x%04hx", payload.U2(10))),
        KvbValue(KvbCorrectionName(payload.U1(13))),
    };
}

std::vector<KvbRowCells> CNavDgpsPage::RecordRows(const KvbPayload& payload) const {
    return DgpsRecords(payload)->Rows(payload, DgpsChannelRow);
}

// ---- CNavSbasPage

CNavSbasPage::CNavSbasPage() : CKvbListPage(kSbasColumns) {}

void CNavSbasPage::Show(CDialogPage& page, const uint8_t* frame, int length) const {
    CKvbListPage::Show(page, frame, length);
    const KvbPayload payload = KvbPayload::OfFrame(frame, length);
    ShowSbasStatus(page, Fits(payload) ? &payload : nullptr);
}

bool CNavSbasPage::Fits(const KvbPayload& payload) const { return kSbas.Fits(payload); }

std::vector<KvbRowCells> CNavSbasPage::RecordRows(const KvbPayload& payload) const {
    return kSbas.Rows(payload, SbasRow);
}

const CNavDgpsPage kNavDgpsPage;
const CNavSbasPage kNavSbasPage;
