#pragma once
#include <cstdint>
#include <string_view>

#include "shared/fix_status_entries.h"

// Nav. Mode, Nav. OK and DGPS from a fix type and its flags, as NAV-STATUS and NAV-SOL give them,
// or from the two-letter navigation status of the proprietary position sentences.
struct KvbFixStatusEntries : FixStatusEntries {
    bool Store(uint8_t gpsFix, uint8_t flags) const;
    // "G3", "D2", ... (GPS or differential fix, dimension), "DR"/"DA" (dead reckoning), "NF" (no
    // fix); any other text stores nothing.
    bool StoreStatusCode(std::string_view code) const;
};
