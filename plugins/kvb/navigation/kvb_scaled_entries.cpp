#include "plugins/kvb/navigation/kvb_scaled_entries.h"

void KvbScaledEntries::Bind(const CStorageDatabase* database) {
    for (size_t i = 0; i < fields.size(); ++i) entries[i] = FindEntry(database, fields[i].id);
}

bool KvbScaledEntries::Store(const KvbPayload& payload) const {
    bool changed = false;
    for (size_t i = 0; i < fields.size(); ++i)
        changed |= SetIfBound(entries[i], payload.Read(fields[i].type, fields[i].offset) * fields[i].scale);
    return changed;
}
