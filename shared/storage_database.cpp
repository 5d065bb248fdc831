#include "storage_database.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/profile.h"
#include "shared/epoch_history.h"
#include "shared/satellite_slots.h"
#include "shared/storage_values.h"

namespace {
const std::u16string kCompleterSection = u"Database\\Completer";
}

CStorageDatabase::CStorageDatabase(platform::CProfile* profile) : entries(256), profile(profile) {}

CStorageDatabase::~CStorageDatabase() {
    if (!profile) return;
    for (const auto& conversion : conversions) profile->WriteInt(kCompleterSection, conversion->name, conversion->enabled ? 1 : 0);
}

void CStorageDatabase::Add(uint16_t id, std::unique_ptr<CStorage> entry) {
    AttachEntry(id, *entry);
    const auto place = std::find_if(ordered.begin(), ordered.end(), [id](const auto& item) { return item.first == id; });
    if (place == ordered.end()) {
        ordered.emplace_back(id, entry.get());
        entries[id] = std::move(entry);
        return;
    }
    // A replaced entry keeps its place; conversions must let go of the old one before it dies.
    place->second = entry.get();
    std::unique_ptr<CStorage> old = std::exchange(entries[id], std::move(entry));
    std::erase(ledger.changed, old.get());
    std::erase(ledger.active, old.get());
    for (const auto& conversion : conversions) conversion->Bind(*this);
}

void CStorageDatabase::AttachEntry(uint16_t id, CStorage& entry) {
    if (IsSatelliteItemId(id))
        entry.Attach(ledger, &satelliteItemTallies[SatelliteItemOf(id)], SatelliteSlotOfItem(id));
    else
        entry.Attach(ledger, nullptr, -1);
}

CStorage* CStorageDatabase::Lookup(uint16_t id) const {
    const auto found = entries.find(id);
    return found == entries.end() ? nullptr : found->second.get();
}

CStorage* CStorageDatabase::Find(uint16_t id, const CRuntimeClass* runtimeClass) const {
    CStorage* entry = Lookup(id);
    return entry && entry->IsKindOf(runtimeClass) ? entry : nullptr;
}

double CStorageDatabase::GetValue(uint16_t id, const CRuntimeClass* runtimeClass) const {
    const auto* entry = static_cast<const CStorageValue*>(Find(id, runtimeClass));
    return entry && runtimeClass->IsDerivedFrom(RUNTIME_CLASS(CStorageValue)) ? entry->GetValue() : 0;
}

void CStorageDatabase::AddConversion(std::unique_ptr<CConversion> conversion, const std::u16string& name) {
    conversion->name = name;
    if (profile) conversion->enabled = profile->GetInt(kCompleterSection, name, 1) != 0;
    conversion->Bind(*this);
    conversions.push_back(std::move(conversion));
}

bool CStorageDatabase::RunConversions() {
    bool any = false;
    for (const auto& conversion : conversions)
        if (conversion->enabled && conversion->Run()) any = true;
    return any;
}

void CStorageDatabase::SaveSnapshot(CEpochHistory& epochHistory, CEpochSnapshot& snapshot) {
    // An entry reset on its own may still be listed while it holds nothing.
    for (CStorage* entry : ledger.active)
        if (entry->TakesSnapshot()) entry->SaveSnapshot(epochHistory, snapshot);
    channels.CloseEpoch();
    ++generation;
    StartEpochTallies();
}

void CStorageDatabase::StartEpochTallies() {
    for (SatelliteItemTally& tally : satelliteItemTallies) tally.slotsGained = {};
}

void CStorageDatabase::EndRefresh() {
    for (CStorage* entry : ledger.changed) entry->ClearChanged();
    ledger.changed.clear();
    channels.EndRefresh();
}

void CStorageDatabase::Reset() {
    for (const auto& [id, entry] : ordered) entry->Reset();
    ledger = {};
    for (const auto& [id, entry] : ordered) AttachEntry(id, *entry);
    channels.Reset();
    ++generation;
    StartEpochTallies();
}

double CStorageDatabase::CurrentOrSnapshot(uint16_t id, const CEpochHistory* epochHistory,
                                           const CEpochSnapshot* snapshot) const {
    const auto* entry = static_cast<const CStorageValue*>(Find(id, RUNTIME_CLASS(CStorageValue)));
    if (!entry) return NAN;
    return epochHistory && snapshot ? entry->GetSnapshotValue(*epochHistory, *snapshot) : entry->GetValue();
}

int CStorageDatabase::GetSatelliteState(int slot, const CEpochHistory* epochHistory,
                                        const CEpochSnapshot* snapshot) const {
    if (slot < 0 || slot >= kSatelliteSlots) return 0;
    const double used = CurrentOrSnapshot(SatelliteItemId(slot, 2), epochHistory, snapshot);
    if (used >= 1 && used < 2) return 3;
    const double status = CurrentOrSnapshot(SatelliteItemId(slot, 1), epochHistory, snapshot);
    if (!std::isnan(status) && (status == 1 || status == 2)) return static_cast<int>(status);
    return 0;
}

uint32_t CStorageDatabase::GetEpochCounter() const {
    return history ? static_cast<uint32_t>(history->Count() + history->Dropped()) : 0;
}
