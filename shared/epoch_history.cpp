#include "epoch_history.h"

#include <algorithm>
#include <limits>

#include "shared/satellite_slots.h"

CEpochSnapshot::CEpochSnapshot(const SatelliteMask& mask, size_t valueCount)
    : mask(mask), values(valueCount, std::numeric_limits<double>::quiet_NaN()) {}

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

std::unique_ptr<CEpochSnapshot> CEpochHistory::NewSnapshot(const SatelliteMask& mask) const {
    const SatelliteMask slots = mask & kAllSatellitesMask;
    const size_t count =
        static_cast<size_t>(commonSize) + static_cast<size_t>(satelliteSize) * static_cast<size_t>(slots.Count());
    return std::make_unique<CEpochSnapshot>(slots, count);
}

size_t CEpochHistory::Push(std::unique_ptr<CEpochSnapshot> snapshot) {
    if (capacity == 0) {
        ++dropped;  // nothing is kept, but the epoch still counts
        return 0;
    }
    if (snapshots.size() >= capacity) {
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

const double* CEpochHistory::Address(const CEpochSnapshot& snapshot, SnapshotSlot slot) const {
    if (slot.index < 0) return nullptr;
    if (slot.satellite < 0) return slot.index < commonSize ? snapshot.Values() + slot.index : nullptr;
    if (slot.satellite >= kSatelliteSlots || slot.index >= satelliteSize) return nullptr;
    if (!snapshot.Mask().Test(slot.satellite)) return nullptr;
    const int area = snapshot.Mask().CountBelow(slot.satellite);
    return snapshot.Values() + commonSize + area * satelliteSize + slot.index;
}

double CEpochHistory::Value(const CEpochSnapshot& snapshot, SnapshotSlot slot) const {
    const double* address = Address(snapshot, slot);
    return address ? *address : std::numeric_limits<double>::quiet_NaN();
}

double* CEpochHistory::ValueAddress(CEpochSnapshot& snapshot, SnapshotSlot slot) const {
    return const_cast<double*>(Address(snapshot, slot));
}
