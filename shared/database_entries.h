#pragma once
// How decoders find the entries they write: by identifier, and per satellite slot.
#include <array>
#include <cstdint>

#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

// The entry of that identifier when it is of the expected kind, else null (also without a database).
template <typename T = CStorageValue>
T* FindEntry(const CStorageDatabase* database, uint16_t id) {
    return database ? database->FindAs<T>(id) : nullptr;
}

// One item (elevation, C/N0, …) of every satellite slot; null where the host defines none.
using SlotEntries = std::array<CStorageValue*, kSatelliteSlots>;

inline void FindSlotEntries(const CStorageDatabase* database, int item, SlotEntries& entries) {
    for (int slot = 0; slot < kSatelliteSlots; ++slot) entries[slot] = FindEntry(database, SatelliteItemId(slot, item));
}
