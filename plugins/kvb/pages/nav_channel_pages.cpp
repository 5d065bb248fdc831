#include "plugins/kvb/pages/nav_channel_pages.h"

#include "plugins/kvb/resources/kvb_resources.h"

namespace {

// ---- NAV-SVINFO: numCh at 4, records of 12 bytes from 8: chn U1, svid U1, flags U1, quality
// I1, cno U1 (dBHz), elev I1 and azim I2 (degrees), prRes I4 (cm).

constexpr KvbRecords kSvInfo{8, 4, 12};

constexpr uint8_t kUsed = 0x01;
constexpr uint8_t kDifferential = 0x02;
constexpr uint8_t kAlmanac = 0x04;
constexpr uint8_t kEphemeris = 0x08;
constexpr uint8_t kUnhealthy = 0x10;
constexpr uint8_t kOrbitPack = 0x20;
constexpr uint8_t kSmoothed = 0x80;
constexpr int kFirstSbas = 120;

constexpr KvbColumn kSvInfoColumns[] = {
    {u"Ch", 30}, {u"SV", 30}, {u"CN0", 35},   {u"Residual", 55}, {u"Nav", 35},  {u"Qi", 30},
    {u"El", 25}, {u"Az", 30}, {u"Orbit", 45}, {u"Healthy", 48},  {u"DGPS", 45},
};

// The icon of each signal quality; a quality beyond the table has none.
int QualityIcon(uint8_t quality) {
    static constexpr int kIcons[] = {0, 1, 1, 2, 2, 4, 5, 3};
    return quality < std::size(kIcons) ? kIcons[quality] : -1;
}

const char16_t* Navigation(uint8_t flags) {
    if (!(flags & kUsed)) return u"N";
    return flags & kSmoothed ? u"S" : u"Y";
}

const char16_t* Orbit(uint8_t flags) {
    if (flags & kEphemeris) return u"Eph";
    if (flags & kOrbitPack) return u"Opk";
    if (flags & kAlmanac) return u"Alm";
    return u"none";
}

// A direction is known from an orbit, and an SBAS satellite may report one without any.
bool DirectionKnown(uint8_t flags, uint8_t satellite, int azimuth) {
    return (flags & (kAlmanac | kEphemeris | kOrbitPack)) || (satellite >= kFirstSbas && azimuth != 0);
}

KvbRowCells SvInfoRow(const KvbPayload& payload, size_t at, size_t record) {
    const uint8_t satellite = payload.U1(at + 1);
    const uint8_t flags = payload.U1(at + 2);
    const uint8_t quality = payload.U1(at + 3);
    const int elevation = payload.I1(at + 5);
    const int azimuth = payload.I2(at + 6);
    const bool direction = DirectionKnown(flags, satellite, azimuth);
    return {{
                KvbCell(u"%u", static_cast<unsigned>(record)),
                satellite ? KvbCell(u"%u", satellite) : u"",
                KvbCell(u"%u", payload.U1(at + 4)),
                KvbCell(u"%.2f", payload.I4(at + 8) * 0.01),
                Navigation(flags),
                KvbCell(u"%u", quality),
                direction ? KvbCell(u"%i", elevation) : u"--",
                direction ? KvbCell(u"%i", azimuth) : u"--",
                Orbit(flags),
                flags & kUnhealthy ? u"N" : u"Y",
                flags & kDifferential ? u"Y" : u"N",
            },
            QualityIcon(quality)};
}

// ---- NAV-SVPOS: week U2 at 4, numSV at 6, records of 20 bytes from 8: svid U1, flags U1 (bit 0
// ephemeris, bit 1 almanac), X, Y, Z I4 at +4, +8, +12 (m), azimuth I2 at +16, elevation I1 at
// +18 (degrees).

constexpr KvbRecords kSvPos{8, 6, 20};

constexpr KvbColumn kSvPosColumns[] = {
    {u"SV", 30}, {u"Orbit", 40}, {u"X [m]", 70}, {u"Y [m]", 70}, {u"Z [m]", 70}, {u"Az", 30}, {u"El", 25},
};

const char16_t* PositionSource(uint8_t flags) {
    if (flags & 0x01) return u"Eph";
    return flags & 0x02 ? u"Alm" : u"none";
}

KvbRowCells SvPosRow(const KvbPayload& payload, size_t at, size_t) {
    return {{
        KvbCell(u"%u", payload.U1(at)),
        PositionSource(payload.U1(at + 1)),
        KvbCell(u"%i", payload.I4(at + 4)),
        KvbCell(u"%i", payload.I4(at + 8)),
        KvbCell(u"%i", payload.I4(at + 12)),
        KvbCell(u"%i", payload.I2(at + 16)),
        KvbCell(u"%i", payload.I1(at + 18)),
    }};
}

}  // namespace

// ---- CNavSvInfoPage

CNavSvInfoPage::CNavSvInfoPage() : CKvbListPage(kSvInfoColumns) {}

bool CNavSvInfoPage::Fits(const KvbPayload& payload) const { return kSvInfo.Fits(payload); }

std::vector<KvbRowCells> CNavSvInfoPage::RecordRows(const KvbPayload& payload) const {
    return kSvInfo.Rows(payload, SvInfoRow);
}

const BitmapResource* CNavSvInfoPage::Icons() const { return KvbResources().FindBitmap(kvb_res::kQualityIcons); }

// ---- CNavSvPosPage

CNavSvPosPage::CNavSvPosPage() : CKvbListPage(kSvPosColumns) {}

bool CNavSvPosPage::Fits(const KvbPayload& payload) const { return kSvPos.Fits(payload); }

std::vector<KvbRowCells> CNavSvPosPage::RecordRows(const KvbPayload& payload) const {
    return kSvPos.Rows(payload, SvPosRow);
}

const CNavSvInfoPage kNavSvInfoPage;
const CNavSvPosPage kNavSvPosPage;
