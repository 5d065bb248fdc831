#pragma once
#include <optional>

#include "platform/export.h"
#include "shared/nmea_fields.h"

class CStorageDatabase;
class CStorageValueStatisticsTimeUTC;

// The UTC time of a sentence's fix, with its date where the sentence has one. NMEA carries no
// epoch marker, so a time that differs from the running epoch's is what opens a new epoch.
class VELTRO_EXPORT NmeaFixTime {
public:
    void Bind(const CStorageDatabase* database);
    // True when the sentence belongs to the running epoch, or tells no time to decide by.
    bool SameEpoch(const std::optional<NmeaTime>& time, const std::optional<NmeaDate>& date) const;
    // True when the database's UTC time took a new value.
    bool Store(const std::optional<NmeaTime>& time, const std::optional<NmeaDate>& date) const;

private:
    CStorageValueStatisticsTimeUTC* utc = nullptr;
};
