#pragma once
#include <cstdint>
#include <utility>

#include "shared/epoch_history.h"
#include "shared/storage.h"

// A set of satellites as a 64-bit slot mask. Multi-part reports OR their parts into the mask of
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

    bool OrMask(uint32_t low, uint32_t high, bool lastPart, uint8_t flag);
    uint64_t GetMask() const { return accumulated; }
    // The mask of the latest complete report.
    uint64_t CurrentMask() const { return valid ? accumulated : previous; }
    // Replaces the running epoch's mask, as the document does when an epoch closes without one.
    void StoreMask(uint64_t mask);

    void SetSnapshotSlot(SnapshotSlot slot) { snapshotSlot = slot; }
    uint64_t GetSnapshotMask(const CEpochHistory& history, const CEpochSnapshot& snapshot) const;

    static std::u16string FormatMask(uint64_t mask);

private:
    uint64_t accumulated = 0;
    uint64_t previous = 0;
    SnapshotSlot snapshotSlot;
};
