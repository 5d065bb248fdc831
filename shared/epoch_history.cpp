#include "epoch_history.h"

#include <algorithm>
#include <bit>
#include <limits>

#include "shared/satellite_slots.h"

CEpochSnapshot::CEpochSnapshot(uint64_t mask, size_t valueCount)
    : mask(mask), values(valueCount, std::numeric_limits<double>::quiet_NaN()) {}

CEpochHistory::CEpochHistory(size_t capacity) : capacity(capacity) {}

SnapshotSlot CEpochHistory::ReserveCommonSlot() { return SnapshotSlot{commonSize++, -1}; }

SnapshotSlot CEpochHistory::PerSatelliteSlot(int satellite, int item) {
    satelliteSize = std::max(satelliteSize, item + 1);
    return SnapshotSlot{item, satellite};
}

std::unique_ptr<CEpochSnapshot> CEpochHistory::NewSnapshot(uint64_t mask) const {
    mask &= kAllSatellitesMask;
    const size_t count = static_cast<size_t>(commonSize) + static_cast<size_t>(satelliteSize) * std::popcount(mask);
    return std::make_unique<CEpochSnapshot>(mask, count);
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
    const uint64_t bit = uint64_t{1} << slot.satellite;
    if ((snapshot.Mask() & bit) == 0) return nullptr;
    const int area = std::popcount(snapshot.Mask() & (bit - 1));
    return snapshot.Values() + commonSize + area * satelliteSize + slot.index;
}

double CEpochHistory::Value(const CEpochSnapshot& snapshot, SnapshotSlot slot) const {
    const double* address = Address(snapshot, slot);
    return address ? *address : std::numeric_limits<double>::quiet_NaN();
}

double* CEpochHistory::ValueAddress(CEpochSnapshot& snapshot, SnapshotSlot slot) const {
    return const_cast<double*>(Address(snapshot, slot));
}
