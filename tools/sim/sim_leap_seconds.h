#pragma once

// GPS time minus UTC, from the steps of TAI - UTC; GPS time keeps TAI - 19 s. UTC in seconds since
// 1970-01-01, GPS time in seconds since 1980-01-06.
int SimLeapSeconds(double gpsTime);
double SimGpsTimeFromUtc(double utc);
