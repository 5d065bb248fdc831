#pragma once

// GPS time runs ahead of UTC by the leap seconds inserted since 1980. UTC is counted in seconds
// since 1970-01-01 00:00:00, GPS time in seconds since 1980-01-06 00:00:00.

// GPS time minus UTC at a UTC moment: the newest step whose date lies strictly before it.
int LeapSeconds(double utc);
double GpsTimeFromUtc(double utc);
double UtcFromGpsTime(double gpsTime);
