#include "plugins/kvb/navigation/kvb_fix_status_entries.h"

#include "shared/entry_store.h"

namespace {

constexpr uint8_t kNoFix = 0;
constexpr uint8_t kFlagFixValid = 0x01;
constexpr uint8_t kFlagDifferential = 0x02;

int NavigationMode(uint8_t gpsFix, uint8_t flags) {
    if (!(flags & kFlagFixValid)) return kNavModeMasked;
    switch (gpsFix) {
        case 1:
            return kNavModeDeadReckoning;
        case 2:
            return kNavMode2D;
        case 3:
            return kNavMode3D;
        case 4:
            return kNavMode3DEkf;
        case 5:
            return kNavModeTimeOnly;
        default:
            return kNavModeMasked;
    }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The fix dimension of a status code such as "G3"; -1 for a digit that names none.
int DimensionMode(char digit) {
    switch (digit) {
        case '1':
            return kNavMode1D;
        case '2':
            return kNavMode2D;
        case '3':
            return kNavMode3D;
        default:
            return -1;
    }
}

}  // namespace

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
        changed |= SetIfBound(navMode, kNavModeDeadReckoning);
    } else if (code == "NF") {
        changed |= SetIfBound(navOk, 0);
    }
    return changed;
}
