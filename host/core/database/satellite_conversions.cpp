#include "satellite_conversions.h"

#include <cmath>

#include "shared/entry_ids.h"
#include "shared/storage_sv_list.h"

using namespace conversion;

void CSatelliteCno::Bind(CStorageDatabase& database) {
    this->database = &database;
    lastRead.reset();
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        cn0[slot] = FindValue(database, SatelliteItemId(slot, entry::kSatelliteCn0));
    mean = FindValue(database, entry::kMeanCn0);
}

bool CSatelliteCno::MeanStands() const {
    if (std::isnan(lastMean) || !mean) return true;
    return mean->IsValid() && mean->GetValue() == lastMean && mean->ChangedFlag() == 0;
}

bool CSatelliteCno::Run() {
    const SatelliteItemState inputs = StateOf(*database, entry::kSatelliteCn0);
    if (lastRead == inputs && MeanStands()) return false;
    lastRead = inputs;
    lastMean = std::nan("");
    double sum = 0;
    int reporting = 0;
    // In slot order, as when every slot was visited: the sum is the same to the last bit.
    database->SatelliteItemSlotsGained(entry::kSatelliteCn0).ForEachSlot([&](int slot) {
        const CStorageValue* value = slot < kSatelliteSlots ? cn0[slot] : nullptr;
        if (!Holds(value) || value->GetValue() < 0) return;
        sum += value->GetValue();
        ++reporting;
    });
    if (reporting == 0) return false;
    lastMean = sum / reporting;
    return mean && mean->SetValue(lastMean);
}

const CSatelliteListConversion::Ids CSatelliteListConversion::kUsed = {entry::kUsedList, entry::kSatelliteUsed,
                                                                       entry::kSatellitesUsed};
const CSatelliteListConversion::Ids CSatelliteListConversion::kTracked = {entry::kTrackedList, entry::kSatelliteMode,
                                                                          entry::kSatellitesTracked};

void CSatelliteListConversion::Bind(CStorageDatabase& database) {
    this->database = &database;
    flagsFilledIn.reset();
    flagsRead.reset();
    list = database.FindAs<CStorageSVList>(ids.list);
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        flags[slot] = FindValue(database, SatelliteItemId(slot, ids.flagItem));
    count = FindValue(database, ids.count);
}

bool CSatelliteListConversion::Run() {
    if (Holds(list)) {
        if (flagsFilledIn == database->Generation()) return false;
        flagsFilledIn = database->Generation();
        return FillFlags(list->GetMask());
    }
    const SatelliteItemState inputs = StateOf(*database, ids.flagItem);
    if (flagsRead == inputs) return false;
    flagsRead = inputs;
    return FillList();
}

bool CSatelliteListConversion::FillFlags(const SatelliteMask& mask) {
    bool stored = false;
    for (int slot = 0; slot < kSatelliteSlots; ++slot) stored |= Fill(flags[slot], mask.Test(slot) ? 1.0 : 0.0);
    stored |= Fill(count, mask.Count());
    return stored;
}

bool CSatelliteListConversion::FillList() {
    SatelliteMask mask;
    bool anyFlag = false;
    database->SatelliteItemSlotsGained(ids.flagItem).ForEachSlot([&](int slot) {
        const CStorageValue* flag = slot < kSatelliteSlots ? flags[slot] : nullptr;
        if (!Holds(flag)) return;
        anyFlag = true;
        if (flag->GetValue() != 0) mask.Set(slot);
    });
    if (!anyFlag) return false;
    bool stored = list && list->OrMask(mask, true, 0);
    stored |= Fill(count, mask.Count());
    return stored;
}
