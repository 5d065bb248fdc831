#pragma once
// How decoders find the entries they write: by identifier, and per satellite slot.
#include <array>
#include <cstdint>

#include "shared/entry_ids.h"
#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_sv_list.h"
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

// What a sentence listing the satellites in view writes: per slot the signal state, direction and
// C/N0, and the tracked list with its count, which may come in parts (pages).
struct SatellitesInViewEntries {
    void Bind(const CStorageDatabase* database) {
        FindSlotEntries(database, entry::kSatelliteMode, modeStatus);
        FindSlotEntries(database, entry::kSatelliteElevation, elevation);
        FindSlotEntries(database, entry::kSatelliteAzimuth, azimuth);
        FindSlotEntries(database, entry::kSatelliteCn0, cn0);
        trackedList = FindEntry<CStorageSVList>(database, entry::kTrackedList);
        trackedCount = FindEntry(database, entry::kSatellitesTracked);
    }

    // Adds the slots of one part to the tracked list; the last part completes it and its count.
    // True when a stored value changed.
    bool StoreTracked(const SatelliteMask& slots, bool lastPart) const {
        if (!trackedList) return false;
        bool changed = trackedList->OrMask(slots, lastPart, 0);
        if (lastPart && trackedCount) changed |= trackedCount->SetValue(trackedList->GetMask().Count());
        return changed;
    }

    SlotEntries modeStatus{};
    SlotEntries elevation{};
    SlotEntries azimuth{};
    SlotEntries cn0{};
    CStorageSVList* trackedList = nullptr;
    CStorageValue* trackedCount = nullptr;
};
