#include "epoch_history.h"

#include <algorithm>
#include <limits>

#include "shared/satellite_slots.h"

CEpochSnapshot::CEpochSnapshot(const SatelliteMask& mask, size_t valueCount) { Refill(mask, valueCount); }

void CEpochSnapshot::Refill(const SatelliteMask& newMask, size_t valueCount) {
    mask = newMask;
    values.assign(valueCount, std::numeric_limits<double>::quiet_NaN());
    uint8_t area = 0;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) areaOfSlot[slot] = mask.Test(slot) ? area++ : kNoArea;
}

CEpochHistory::CEpochHistory(size_t capacity) : capacity(capacity) {}

SnapshotSlot CEpochHistory::ReserveCommonSlots(int count) {
    const SnapshotSlot first{commonSize, -1};
    commonSize += count;
    return first;
}

SnapshotSlot CEpochHistory::PerSatelliteSlot(int satellite, int item) {
    satelliteSize = std::max(satelliteSize, item + 1);
    return SnapshotSlot{item, satellite};
}

std::unique_ptr<CEpochSnapshot> CEpochHistory::NewSnapshot(const SatelliteMask& mask) {
    const SatelliteMask slots = mask & kAllSatellitesMask;
    const size_t count =
        static_cast<size_t>(commonSize) + static_cast<size_t>(satelliteSize) * static_cast<size_t>(slots.Count());
    if (!spare) return std::make_unique<CEpochSnapshot>(slots, count);
    spare->Refill(slots, count);
    return std::move(spare);
}

size_t CEpochHistory::Push(std::unique_ptr<CEpochSnapshot> snapshot) {
    if (capacity == 0) {
        ++dropped;  // nothing is kept, but the epoch still counts
        spare = std::move(snapshot);
        return 0;
    }
    if (snapshots.size() >= capacity) {
        spare = std::move(snapshots.front());
        snapshots.pop_front();
        ++dropped;
    }
    snapshots.push_back(std::move(snapshot));
    return snapshots.size();
}

void CEpochHistory::SetCapacity(size_t newCapacity) {
    capacity = newCapacity;
    while (snapshots.size() > capacity) {
        snapshots.pop_front();
        ++dropped;
    }
}

void CEpochHistory::Clear() {
    snapshots.clear();
    dropped = 0;
}
