#pragma once
#include <cstdint>
#include <string_view>

#include "shared/storage_database.h"
#include "shared/storage_values.h"

// Nav. Mode, Nav. OK and DGPS from a fix type and its flags, as NAV-STATUS and NAV-SOL give them,
// or from the two-letter navigation status of the proprietary position sentences.
class KvbFixStatusEntries {
public:
    void Bind(const CStorageDatabase* database);
    bool Store(uint8_t gpsFix, uint8_t flags) const;
    // "G3", "D2", ... (GPS or differential fix, dimension), "DR"/"DA" (dead reckoning), "NF" (no
    // fix); any other text stores nothing.
    bool StoreStatusCode(std::string_view code) const;

private:
    CStorageValue* navMode = nullptr;
    CStorageValue* navOk = nullptr;
    CStorageValue* dgps = nullptr;
};
