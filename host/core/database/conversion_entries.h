#pragma once
#include <cstdint>
#include <initializer_list>

#include "shared/entry_store.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

// How the conversions read and write entries: an input counts only when it holds a value in the
// running epoch, and an output is never overwritten once a decoder or an earlier conversion
// stored one. A missing entry holds nothing, so every branch that needs it stays inert.
namespace conversion {

inline CStorageValue* FindValue(const CStorageDatabase& database, uint16_t id) {
    return database.FindAs<CStorageValue>(id);
}

inline bool Holds(const CStorage* entry) { return entry && entry->IsValid(); }

// An output that exists and holds no value yet: the only kind Fill stores in.
inline bool Wants(const CStorageValue* output) { return output && !output->IsValid(); }

// Whether any of the outputs would take a value: once all are filled, a conversion that runs after
// every message of the epoch need not compute again.
inline bool WantsAny(std::initializer_list<const CStorageValue*> outputs) {
    for (const CStorageValue* output : outputs)
        if (Wants(output)) return true;
    return false;
}

// Stores v in an output that exists and holds no value yet; true when stored.
inline bool Fill(CStorageValue* output, double v) { return Wants(output) && SetIfBound(output, v); }

// Where a per-satellite item of all slots stands: while it is the same, none of those entries
// gained, changed or lost a value.
struct SatelliteItemState {
    uint64_t generation;
    uint32_t stores;
    bool operator==(const SatelliteItemState&) const = default;
};

inline SatelliteItemState StateOf(const CStorageDatabase& database, int item) {
    return {database.Generation(), database.SatelliteItemStores(item)};
}

}  // namespace conversion
