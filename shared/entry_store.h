#pragma once
// How decoders write what they read into entries the host may not define; each returns true when
// the entry took a new value.
#include <optional>

#include "shared/nmea_units.h"
#include "shared/storage_values.h"

// The flagged store with no flag is what SetValue(value) does, one virtual call sooner: decoders
// store several hundred values every epoch.
inline bool SetIfBound(CStorageValue* entry, double value) { return entry && entry->SetValue(value, 0); }

// A value that may be absent, such as an empty NMEA field: then nothing is stored.
inline bool Store(CStorageValue* entry, std::optional<double> value) { return value && SetIfBound(entry, *value); }

// A course or an azimuth in degrees from -180 to 360, in radians from -pi to pi.
constexpr double BearingRadians(double degrees) {
    return (degrees > 180 ? degrees - 360 : degrees) * kRadiansPerDegree;
}

// A bearing outside -180 to 360 degrees stores nothing.
inline bool StoreBearing(CStorageValue* entry, std::optional<double> degrees) {
    if (!degrees || *degrees < -180 || *degrees > 360) return false;
    return SetIfBound(entry, BearingRadians(*degrees));
}
