#pragma once
#include <cstdint>

#include "shared/storage_database.h"
#include "shared/storage_values.h"

// Nav. Mode, Nav. OK and DGPS from a fix type and its flags, as NAV-STATUS and NAV-SOL give them.
class KvbFixStatusEntries {
public:
    void Bind(const CStorageDatabase* database);
    bool Store(uint8_t gpsFix, uint8_t flags) const;

private:
    CStorageValue* navMode = nullptr;
    CStorageValue* navOk = nullptr;
    CStorageValue* dgps = nullptr;
};
