#include "storage_sv_list.h"

#include <cmath>

#include "platform/text.h"
#include "shared/satellite_slots.h"

VELTRO_IMPLEMENT_CLASS(CStorageSVList, CStorage)

std::u16string CStorageSVList::FormatMask(uint64_t mask) {
    std::u16string out;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) {
        if ((mask >> slot & 1) == 0) continue;
        out += platform::FormatW(out.empty() ? u"%i" : u",%i", SatelliteNumber(slot));
    }
    return out;
}

std::u16string CStorageSVList::FormatCurrent() const { return FormatMask(CurrentMask()); }

std::u16string CStorageSVList::FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    return FormatMask(GetSnapshotMask(history, snapshot));
}

uint64_t CStorageSVList::GetSnapshotMask(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    const double stored = history.Value(snapshot, snapshotSlot);
    return std::isnan(stored) ? 0 : static_cast<uint64_t>(stored);
}

bool CStorageSVList::OrMask(uint32_t low, uint32_t high, bool lastPart, uint8_t flag) {
    accumulated |= (uint64_t{high} << 32 | low) & kAllSatellitesMask;
    if (lastPart) valid = 1;
    if (!valid) return false;
    changedFlag = flag;
    if (accumulated != previous) changed = 1;
    previous = accumulated;
    return changed != 0;
}

void CStorageSVList::StoreMask(uint64_t mask) {
    accumulated = mask & kAllSatellitesMask;
    changed = 1;
}

void CStorageSVList::SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) {
    valid = 1;
    previous = accumulated;
    // Masks of 52 bits are exact in a double.
    if (double* address = history.ValueAddress(snapshot, snapshotSlot)) *address = static_cast<double>(accumulated);
    CloseEpoch();
    accumulated = 0;
}

void CStorageSVList::Reset() {
    CStorage::Reset();
    accumulated = previous = 0;
}
