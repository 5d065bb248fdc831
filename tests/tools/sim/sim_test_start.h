#pragma once
// A fixed start for simulator tests: 2024-03-01 12:00:00 UTC, 18 leap seconds.
#include <cstdint>

#include "shared/calendar.h"

inline double TestStartUtc() { return static_cast<double>(DaysFromCivil(2024, 3, 1)) * kSecondsPerDay + 12 * 3600; }

inline int64_t TestStartGpsMs() { return static_cast<int64_t>(TestStartUtc() - kGpsEpochUtc + 18) * 1000; }
