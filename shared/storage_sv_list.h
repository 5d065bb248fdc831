#pragma once
#include <cstdint>
#include <utility>

#include "shared/epoch_history.h"
#include "shared/satellite_mask.h"
#include "shared/storage.h"

// A set of satellites as a slot mask. Multi-part reports OR their parts into the mask of
// the running epoch; the entry becomes valid with the last part.
class VELTRO_EXPORT CStorageSVList : public CStorage {
    VELTRO_DECLARE_CLASS(CStorageSVList)

public:
    // Its snapshot records the accumulated mask from the first epoch on.
    CStorageSVList(std::u16string name, std::u16string description)
        : CStorage(std::move(name), std::move(description)) {
        snapshotsWhileUnset = true;
    }

    std::u16string FormatCurrent() const override;
    std::u16string FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const override;
    void SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) override;
    void Reset() override;

    // The receiver's protocol gives slots 0-63 as two 32-bit words.
    bool OrMask(uint32_t low, uint32_t high, bool lastPart, uint8_t flag) {
        return OrMask(SatelliteMask(uint64_t{high} << 32 | low), lastPart, flag);
    }
    bool OrMask(const SatelliteMask& mask, bool lastPart, uint8_t flag);
    const SatelliteMask& GetMask() const { return accumulated; }
    // The mask of the latest complete report.
    const SatelliteMask& CurrentMask() const { return valid ? accumulated : previous; }
    // Replaces the running epoch's mask, as the document does when an epoch closes without one.
    void StoreMask(const SatelliteMask& mask);

    // A snapshot keeps the mask in values of 32 bits each, in the common area.
    void ReserveSnapshotSlots(CEpochHistory& history) { snapshotSlot = history.ReserveCommonSlots(kSnapshotValues); }
    SatelliteMask GetSnapshotMask(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;

    static std::u16string FormatMask(const SatelliteMask& mask);

private:
    static constexpr int kSnapshotValues = 2 * SatelliteMask::kWords;

    SatelliteMask accumulated;
    SatelliteMask previous;
    SnapshotSlot snapshotSlot;
};
