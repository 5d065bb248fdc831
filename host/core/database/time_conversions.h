#pragma once
#include "host/core/database/conversion_entries.h"

// "Time UTC to GPS": GPS time from UTC, for UTC from the GPS origin on.
class CTimeUtcToGps : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* utc = nullptr;
    CStorageValue* gpsTime = nullptr;
};

// "Time GPS to UTC": UTC, with its date, from GPS time.
class CTimeGpsToUtc : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* gpsTime = nullptr;
    CStorageValueStatisticsTimeUTC* utc = nullptr;
};
