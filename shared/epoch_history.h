#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <limits>
#include <memory>
#include <vector>

#include "platform/export.h"
#include "shared/satellite_mask.h"
#include "shared/satellite_slots.h"

// Where an entry keeps its value in a snapshot: an index into the common area, or, for a
// per-satellite entry, an index into the area of its satellite slot.
struct SnapshotSlot {
    int index = -1;
    int satellite = -1;  // satellite slot for per-satellite entries, -1 for the common area
};

// The values of one closed epoch: the satellite mask, the common area, then one per-satellite
// area for each set bit of the mask, in slot order. Values without a sample are NaN.
class VELTRO_EXPORT CEpochSnapshot {
public:
    CEpochSnapshot(const SatelliteMask& mask, size_t valueCount);
    // Empty again, as the constructor leaves it, in the storage it already has.
    void Refill(const SatelliteMask& newMask, size_t valueCount);

    const SatelliteMask& Mask() const { return mask; }
    double* Values() { return values.data(); }
    const double* Values() const { return values.data(); }
    // The per-satellite area of a slot in the mask, counted from the first; -1 for any other slot.
    int AreaOf(int satellite) const {
        if (satellite < 0 || satellite >= kSatelliteSlots || areaOfSlot[satellite] == kNoArea) return -1;
        return areaOfSlot[satellite];
    }

private:
    static constexpr uint8_t kNoArea = 0xff;
    static_assert(kSatelliteSlots < kNoArea);

    SatelliteMask mask;
    std::vector<double> values;
    // Counted once here: every per-satellite value written or read needs its area.
    std::array<uint8_t, kSatelliteSlots> areaOfSlot;
};

// Per-epoch snapshots of the database, oldest first, up to a capacity; the oldest are dropped.
class VELTRO_EXPORT CEpochHistory {
public:
    explicit CEpochHistory(size_t capacity);

    // Layout, fixed while the catalogue is built, before the first snapshot.
    SnapshotSlot ReserveCommonSlot() { return ReserveCommonSlots(1); }
    // count consecutive values of the common area; the slot of the first.
    SnapshotSlot ReserveCommonSlots(int count);
    SnapshotSlot PerSatelliteSlot(int satellite, int item);

    std::unique_ptr<CEpochSnapshot> NewSnapshot(const SatelliteMask& mask);
    size_t Push(std::unique_ptr<CEpochSnapshot> snapshot);
    void SetCapacity(size_t capacity);
    void Clear();

    size_t Count() const { return snapshots.size(); }
    size_t Capacity() const { return capacity; }
    uint64_t Dropped() const { return dropped; }
    const CEpochSnapshot& operator[](size_t index) const { return *snapshots[index]; }

    // The value at slot, or NaN when the snapshot has no area for the slot's satellite. Inline:
    // every entry reads or writes one at every epoch close.
    double Value(const CEpochSnapshot& snapshot, SnapshotSlot slot) const {
        const double* address = Address(snapshot, slot);
        return address ? *address : std::numeric_limits<double>::quiet_NaN();
    }
    double* ValueAddress(CEpochSnapshot& snapshot, SnapshotSlot slot) const {
        return const_cast<double*>(Address(snapshot, slot));
    }

private:
    const double* Address(const CEpochSnapshot& snapshot, SnapshotSlot slot) const {
        if (slot.index < 0) return nullptr;
        if (slot.satellite < 0) return slot.index < commonSize ? snapshot.Values() + slot.index : nullptr;
        if (slot.index >= satelliteSize) return nullptr;
        const int area = snapshot.AreaOf(slot.satellite);
        if (area < 0) return nullptr;
        return snapshot.Values() + commonSize + area * satelliteSize + slot.index;
    }

    std::deque<std::unique_ptr<CEpochSnapshot>> snapshots;
    // The last snapshot dropped, refilled for the next epoch rather than freed and allocated again.
    std::unique_ptr<CEpochSnapshot> spare;
    size_t capacity;
    uint64_t dropped = 0;
    int commonSize = 0;
    int satelliteSize = 0;
};
