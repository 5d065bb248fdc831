#include "kvb_fix_status_entries.h"

#include "shared/entry_ids.h"
#include "kvb_scaled_entries.h"

namespace {

constexpr uint8_t kNoFix = 0;
constexpr uint8_t kFlagFixValid = 0x01;
constexpr uint8_t kFlagDifferential = 0x02;

// Choices of the host's "Nav. Mode" list.
enum NavMode : int {
    NAV_MODE_DEAD_RECKONING = 0,
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
