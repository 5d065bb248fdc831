#include "satellite_conversions.h"

#include "shared/entry_ids.h"
#include "shared/storage_sv_list.h"

using namespace conversion;

void CSatelliteCno::Bind(CStorageDatabase& database) {
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        cn0[slot] = FindValue(database, SatelliteItemId(slot, entry::kSatelliteCn0));
    mean = FindValue(database, entry::kMeanCn0);
}

bool CSatelliteCno::Run() {
    double sum = 0;
    int reporting = 0;
    for (const CStorageValue* value : cn0) {
        if (!Holds(value) || value->GetValue() < 0) continue;
        sum += value->GetValue();
        ++reporting;
    }
    return reporting > 0 && mean && mean->SetValue(sum / reporting);
}

const CSatelliteListConversion::Ids CSatelliteListConversion::kUsed = {entry::kUsedList, entry::kSatelliteUsed,
                                                                       entry::kSatellitesUsed};
const CSatelliteListConversion::Ids CSatelliteListConversion::kTracked = {entry::kTrackedList, entry::kSatelliteMode,
                                                                          entry::kSatellitesTracked};

void CSatelliteListConversion::Bind(CStorageDatabase& database) {
    list = database.FindAs<CStorageSVList>(ids.list);
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        flags[slot] = FindValue(database, SatelliteItemId(slot, ids.flagItem));
    count = FindValue(database, ids.count);
}

bool CSatelliteListConversion::Run() { return Holds(list) ? FillFlags(list->GetMask()) : FillList(); }

bool CSatelliteListConversion::FillFlags(const SatelliteMask& mask) {
    bool stored = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) stored |= Fill(flags[slot], mask.Test(slot) ? 1.0 : 0.0);
    stored |= Fill(count, mask.Count());
    return stored;
}

bool CSatelliteListConversion::FillList() {
    SatelliteMask mask;
    bool anyFlag = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) {
        if (!Holds(flags[slot])) continue;
        anyFlag = true;
        if (flags[slot]->GetValue() != 0) mask.Set(slot);
    }
    if (!anyFlag) return false;
    bool stored = list && list->OrMask(mask, true, 0);
    stored |= Fill(count, mask.Count());
    return stored;
}
