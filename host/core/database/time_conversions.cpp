#include "time_conversions.h"

#include "host/core/reference/leap_seconds.h"
#include "shared/calendar.h"
#include "shared/entry_ids.h"

using namespace conversion;

void CTimeUtcToGps::Bind(CStorageDatabase& database) {
    utc = FindValue(database, entry::kUtc);
    gpsTime = FindValue(database, entry::kGpsTime);
}

bool CTimeUtcToGps::Run() {
    if (!Holds(utc) || utc->GetValue() < kGpsEpochUtc) return false;
    return Fill(gpsTime, GpsTimeFromUtc(utc->GetValue()));
}

void CTimeGpsToUtc::Bind(CStorageDatabase& database) {
    gpsTime = FindValue(database, entry::kGpsTime);
    utc = database.FindAs<CStorageValueStatisticsTimeUTC>(entry::kUtc);
}

bool CTimeGpsToUtc::Run() {
    if (!Holds(gpsTime) || !utc || utc->IsValid()) return false;
    const double utcSeconds = UtcFromGpsTime(gpsTime->GetValue());
    if (!IsCivilTime(utcSeconds)) return false;
    const CivilTime civil = CivilFromSeconds(utcSeconds);
    return utc->SetDateTime(civil.second, civil.minute, civil.hour, civil.day, civil.month, civil.year);
}
