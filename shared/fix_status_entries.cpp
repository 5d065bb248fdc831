#include "shared/fix_status_entries.h"

#include "shared/database_entries.h"
#include "shared/entry_ids.h"

void FixStatusEntries::Bind(const CStorageDatabase* database) {
    navOk = FindEntry(database, entry::kNavigationValid);
    navMode = FindEntry(database, entry::kNavigationMode);
    dgps = FindEntry(database, entry::kDgpsUsed);
}
