#include "storage_sv_list.h"

#include <array>
#include <cmath>

#include "platform/text.h"
#include "shared/satellite_slots.h"

VELTRO_IMPLEMENT_CLASS(CStorageSVList, CStorage)

namespace {

SnapshotSlot Piece(SnapshotSlot first, int piece) { return {first.index < 0 ? -1 : first.index + piece, first.satellite}; }

}  // namespace

std::u16string CStorageSVList::FormatMask(const SatelliteMask& mask) {
    std::u16string out;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) {
        if (!mask.Test(slot)) continue;
        out += platform::FormatW(out.empty() ? u"%i" : u",%i", SatelliteNumber(slot));
    }
    return out;
}

std::u16string CStorageSVList::FormatCurrent() const { return FormatMask(CurrentMask()); }

std::u16string CStorageSVList::FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    return FormatMask(GetSnapshotMask(history, snapshot));
}

SatelliteMask CStorageSVList::GetSnapshotMask(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    std::array<uint64_t, SatelliteMask::kWords> words{};
    for (int piece = 0; piece < kSnapshotValues; ++piece) {
        const double stored = history.Value(snapshot, Piece(snapshotSlot, piece));
        if (!std::isnan(stored)) words[piece / 2] |= static_cast<uint64_t>(stored) << (piece % 2 * 32);
    }
    return SatelliteMask(words) & kAllSatellitesMask;
}

bool CStorageSVList::OrMask(const SatelliteMask& mask, bool lastPart, uint8_t flag) {
    accumulated |= mask & kAllSatellitesMask;
    if (lastPart) MarkValid();
    if (!valid) return false;
    changedFlag = flag;
    if (accumulated != previous) MarkChanged();
    previous = accumulated;
    return changed != 0;
}

void CStorageSVList::StoreMask(const SatelliteMask& mask) {
    accumulated = mask & kAllSatellitesMask;
    MarkChanged();
}

void CStorageSVList::SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) {
    valid = 1;
    previous = accumulated;
    // 32-bit pieces are exact in a double.
    for (int piece = 0; piece < kSnapshotValues; ++piece)
        if (double* address = history.ValueAddress(snapshot, Piece(snapshotSlot, piece)))
            *address = static_cast<double>(accumulated.Word(piece / 2) >> (piece % 2 * 32) & 0xFFFFFFFFu);
    CloseEpoch();
    accumulated = {};
}

void CStorageSVList::Reset() {
    CStorage::Reset();
    accumulated = previous = {};
}
