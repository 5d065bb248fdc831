#pragma once
#include <cstdint>

#include "platform/export.h"

// Civil dates on the proleptic Gregorian calendar, seconds since 1970-01-01 00:00:00 without
// leap seconds.
struct CivilTime {
    int year;
    int month;   // 1..12
    int day;     // 1..31
    int hour;
    int minute;
    double second;  // with fraction
    int weekday;    // 0 = Sunday
    int dayOfYear;  // 1..366
};

VELTRO_EXPORT int64_t DaysFromCivil(int year, int month, int day);
// Only for seconds that IsCivilTime accepts.
VELTRO_EXPORT CivilTime CivilFromSeconds(double seconds);
// Whether seconds name a moment of the years 1 to 9999; values from outside (a receiver, a log)
// are checked with it before they become dates.
VELTRO_EXPORT bool IsCivilTime(double seconds);

constexpr double kSecondsPerDay = 86400.0;
constexpr double kSecondsPerWeek = 604800.0;
// UTC seconds of the GPS time origin, 1980-01-06 00:00:00.
constexpr double kGpsEpochUtc = 315964800.0;
