#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/export.h"
#include "shared/runtime_class.h"
#include "shared/satellite_mask.h"

class CEpochHistory;
class CEpochSnapshot;
class CStorage;

// The entries that an epoch close and a view refresh must visit, kept by the database as the
// entries report them, so that neither walks the many entries of satellites never seen.
struct EntryLedger {
    std::vector<CStorage*> changed;  // marked changed since the last refresh (an entry cleared
                                     // by hand may come twice)
    std::vector<CStorage*> active;   // take snapshots: held a value since the last reset
};

// What the database keeps of the stores into one per-satellite item over all slots: how many in
// all, and which slots gained a value since the running epoch began (the words of a slot mask).
// A conversion over all slots can tell from them whether it would find anything new, and visit
// only the slots that may hold a value.
struct SatelliteItemTally {
    uint32_t stores = 0;
    std::array<uint64_t, SatelliteMask::kWords> slotsGained{};
};

// Base of every database entry: validity in the running epoch, age and count over closed
// epochs, the changed-since-refresh mark, and the entry's names.
class VELTRO_EXPORT CStorage : public CObject {
    VELTRO_DECLARE_CLASS(CStorage)

public:
    static constexpr uint32_t kNoAge = 0xFFFFFFFF;

    CStorage(std::u16string name, std::u16string description);

    virtual void SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot);
    virtual void Reset();
    virtual void SetGroupMask(uint32_t bits);
    virtual uint32_t GroupMask() const;
    virtual std::u16string FormatCurrent() const = 0;
    virtual const std::u16string& GetDescription() const;
    virtual const std::u16string& GetName() const;
    virtual void SetDescription(std::u16string text);
    virtual void SetName(std::u16string text);
    virtual std::u16string FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const = 0;

    std::u16string FormatCount() const;
    std::u16string FormatAge() const;

    bool IsValid() const { return valid != 0; }
    bool IsChanged() const { return changed != 0; }
    uint8_t ChangedFlag() const { return changedFlag; }
    uint32_t Age() const { return age; }
    uint32_t Count() const { return count; }
    void ClearChanged() { changed = 0; }
    // False while the entry never held a value and its snapshot would change nothing: closing an
    // epoch passes over the many entries of satellites never seen.
    bool TakesSnapshot() const { return valid || age != kNoAge || snapshotsWhileUnset; }
    void MarkChanged() {
        if (changed) return;
        changed = 1;
        if (ledger) JoinChanged();
    }
    // Reports to the database's ledger from now on. A per-satellite entry, of the given slot, also
    // reports its stores, and its slot when it gains a value, to the tally of its item.
    void Attach(EntryLedger& entryLedger, SatelliteItemTally* tally, int slot);

protected:
    // The bookkeeping of an epoch close that every kind shares: valid turns into age and count.
    void CloseEpoch() {
        if (valid) {
            age = 1;
            ++count;
            valid = 0;
        } else if (age < kNoAge) {
            ++age;
        }
    }
    void CountStore() {
        if (storeTally) ++storeTally->stores;
    }
    void MarkValid() {
        if (!valid && storeTally) storeTally->slotsGained[tallyWord] |= tallyBit;
        valid = 1;
        if (ledger && !listedActive) JoinActive();
    }

    uint8_t changedFlag = 0;
    uint8_t valid = 0;
    uint8_t changed = 1;
    uint32_t mask = 0x40000000;
    uint32_t age = kNoAge;
    uint32_t count = 0;
    // For kinds whose snapshot records something before the entry's first value.
    bool snapshotsWhileUnset = false;
    std::u16string name;
    std::u16string description;

private:
    // Out of line, so that the stores that mark entries keep their fast path short.
    void JoinChanged();
    void JoinActive();

    EntryLedger* ledger = nullptr;
    SatelliteItemTally* storeTally = nullptr;
    // Where the entry's slot sits in the tally's mask, worked out once: every first store of an
    // epoch marks it.
    uint8_t tallyWord = 0;
    uint64_t tallyBit = 0;
    bool listedActive = false;
};
