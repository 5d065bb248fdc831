#include "navigation_status.h"

#include <cmath>

#include "shared/entry_ids.h"
#include "shared/storage_database.h"
#include "shared/storage_values.h"

namespace {

enum StatusColor { kNoFix = 4, kWeakFix = 5, kTwoD = 6, kThreeD = 7, kFiltered = 8 };

double CurrentValue(const CStorageDatabase& database, uint16_t id) {
    const auto* value = database.FindAs<CStorageValue>(id);
    return value ? value->GetValue() : NAN;
}

}  // namespace

int NavigationStatusColorOf(double navigationValid, double navigationMode) {
    if (!(navigationValid >= 1 && navigationValid < 2)) return kNoFix;
    if (std::isnan(navigationMode)) return kTwoD;
    if (navigationMode < 0 || navigationMode >= 9) return kNoFix;
    switch (static_cast<int>(navigationMode)) {
        case 0:
        case 1:
        case 6:
            return kWeakFix;
        case 2:
            return kTwoD;
        case 7:
            return kFiltered;
        default:
            return kThreeD;
    }
}

int NavigationStatusColor(const CStorageDatabase& database) {
    return NavigationStatusColorOf(CurrentValue(database, entry::kNavigationValid),
                                   CurrentValue(database, entry::kNavigationMode));
}
