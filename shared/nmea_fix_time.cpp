#include "nmea_fix_time.h"

#include "shared/database_entries.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

void NmeaFixTime::Bind(const CStorageDatabase* database) {
    utc = FindEntry<CStorageValueStatisticsTimeUTC>(database, entry::kUtc);
}

bool NmeaFixTime::SameEpoch(const std::optional<NmeaTime>& time, const std::optional<NmeaDate>& date) const {
    if (!utc || !time) return true;
    if (date)
        return utc->IsSameEpochDateTime(time->second, time->minute, time->hour, date->day, date->month, date->year);
    return utc->IsSameEpochTimeOfDay(time->second, time->minute, time->hour);
}

bool NmeaFixTime::Store(const std::optional<NmeaTime>& time, const std::optional<NmeaDate>& date) const {
    if (!utc || !time) return false;
    if (date) return utc->SetDateTime(time->second, time->minute, time->hour, date->day, date->month, date->year);
    return utc->SetTimeOfDay(time->second, time->minute, time->hour);
}
