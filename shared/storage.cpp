#include "storage.h"

#include "platform/text.h"

VELTRO_IMPLEMENT_CLASS(CStorage, CObject)

CStorage::CStorage(std::u16string name, std::u16string description)
    : name(std::move(name)), description(std::move(description)) {}

void CStorage::SaveSnapshot(const CEpochHistory&, CEpochSnapshot&) { CloseEpoch(); }

void CStorage::Reset() {
    changedFlag = 0;
    valid = 0;
    MarkChanged();
    age = kNoAge;
    count = 0;
}

void CStorage::Attach(EntryLedger& entryLedger, SatelliteItemTally* tally, int slot) {
    ledger = &entryLedger;
    const bool slotInMask = slot >= 0 && slot < SatelliteMask::kBits;
    storeTally = slotInMask ? tally : nullptr;
    tallyWord = slotInMask ? static_cast<uint8_t>(slot / 64) : 0;
    tallyBit = slotInMask ? uint64_t{1} << (slot % 64) : 0;
    listedActive = false;
    if (changed) ledger->changed.push_back(this);
    if (TakesSnapshot()) JoinActive();
}

void CStorage::JoinChanged() { ledger->changed.push_back(this); }

void CStorage::JoinActive() {
    listedActive = true;
    ledger->active.push_back(this);
}

void CStorage::SetGroupMask(uint32_t bits) { mask = bits; }
uint32_t CStorage::GroupMask() const { return mask; }
const std::u16string& CStorage::GetDescription() const { return description; }
const std::u16string& CStorage::GetName() const { return name; }
void CStorage::SetDescription(std::u16string text) { description = std::move(text); }
void CStorage::SetName(std::u16string text) { name = std::move(text); }

std::u16string CStorage::FormatCount() const {
    return platform::FormatW(u"%lu", static_cast<unsigned long>(count + (valid ? 1 : 0)));
}

std::u16string CStorage::FormatAge() const {
    if (valid) return u"0";
    if (age == kNoAge) return u"";
    return platform::FormatW(u"%lu", static_cast<unsigned long>(age));
}
