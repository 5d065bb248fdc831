#pragma once
// How decoders write what they read into entries the host may not define; each returns true when
// the entry took a new value.
#include <optional>

#include "shared/storage_values.h"

inline bool SetIfBound(CStorageValue* entry, double value) { return entry && entry->SetValue(value); }

// A value that may be absent, such as an empty NMEA field: then nothing is stored.
inline bool Store(CStorageValue* entry, std::optional<double> value) { return value && SetIfBound(entry, *value); }
