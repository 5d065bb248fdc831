#include "plugins/kvb/navigation/kvb_fix_status_entries.h"

#include "plugins/kvb/navigation/kvb_scaled_entries.h"
#include "shared/entry_ids.h"

namespace {

constexpr uint8_t kNoFix = 0;
constexpr uint8_t kFlagFixValid = 0x01;
constexpr uint8_t kFlagDifferential = 0x02;

// Choices of the host's "Nav. Mode" list.
enum NavMode : int {
    NAV_MODE_DEAD_RECKONING = 0,
    NAV_MODE_1D = 1,
    NAV_MODE_2D = 2,
    NAV_MODE_3D = 4,
    NAV_MODE_MASKED = 6,
    NAV_MODE_3D_EKF = 7,
    NAV_MODE_TIME = 8,
};

int NavigationMode(uint8_t gpsFix, uint8_t flags) {
    if (!(flags & kFlagFixValid)) return NAV_MODE_MASKED;
    switch (gpsFix) {
        case 1:
            return NAV_MODE_DEAD_RECKONING;
        case 2:
            return NAV_MODE_2D;
        case 3:
            return NAV_MODE_3D;
        case 4:
            return NAV_MODE_3D_EKF;
        case 5:
            return NAV_MODE_TIME;
        default:
            return NAV_MODE_MASKED;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The fix dimension of a status code such as "G3"; -1 for a digit that names none.
int DimensionMode(char digit) {
    switch (digit) {
        case '1':
            return NAV_MODE_1D;
        case '2':
            return NAV_MODE_2D;
        case '3':
            return NAV_MODE_3D;
        default:
            return -1;
    }
}

}  // namespace

void KvbFixStatusEntries::Bind(const CStorageDatabase* database) {
    navMode = FindEntry(database, entry::kNavigationMode);
    navOk = FindEntry(database, entry::kNavigationValid);
    dgps = FindEntry(database, entry::kDgpsUsed);
}

bool KvbFixStatusEntries::Store(uint8_t gpsFix, uint8_t flags) const {
    bool changed = false;
    if (gpsFix != kNoFix) changed |= SetIfBound(navMode, NavigationMode(gpsFix, flags));
    changed |= SetIfBound(navOk, gpsFix != kNoFix ? 1 : 0);
    changed |= SetIfBound(dgps, (flags & kFlagDifferential) ? 1 : 0);
    return changed;
}

bool KvbFixStatusEntries::StoreStatusCode(std::string_view code) const {
    if (code.size() != 2) return false;
    bool changed = false;
    if (IsDigit(code[1])) {
        if (code[0] == 'D' || code[0] == 'G') changed |= SetIfBound(dgps, code[0] == 'D' ? 1 : 0);
        if (const int mode = DimensionMode(code[1]); mode >= 0) changed |= SetIfBound(navMode, mode);
        changed |= SetIfBound(navOk, 1);
    } else if (code == "DR" || code == "DA") {
        changed |= SetIfBound(navOk, 1);
        changed |= SetIfBound(navMode, NAV_MODE_DEAD_RECKONING);
    } else if (code == "NF") {
        changed |= SetIfBound(navOk, 0);
    }
    return changed;
}
