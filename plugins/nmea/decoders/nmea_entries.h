#pragma once
#include <cstdint>
#include <optional>

#include "shared/database_entries.h"
#include "shared/entry_ids.h"
#include "shared/entry_store.h"
#include "shared/fix_status_entries.h"
#include "shared/storage_values.h"

class NmeaFields;

bool StoreKnots(CStorageValue* speedOverGround, std::optional<double> knots);

// The fix status as NMEA sentences tell it; GGA and GSA read their own fields into the entries.
struct NmeaFixStatusEntries : FixStatusEntries {
    // The rule of GLL, RMC and VTG: a status letter (A valid, V void) and a mode indicator
    // (A autonomous, D differential, E estimated, N not valid, ...).
    bool StoreStatusAndMode(std::optional<char> status, std::optional<char> mode) const;
};

struct NmeaPositionEntries {
    CStorageValue* latitude = nullptr;
    CStorageValue* longitude = nullptr;

    void Bind(const CStorageDatabase* database);
    // Latitude and hemisphere from field n, longitude and hemisphere from field n + 2.
    bool Store(const NmeaFields& fields, int n) const;
};

// Height above mean sea level and, with the geoid separation where the sentence has one, above the
// ellipsoid.
struct NmeaAltitudeEntries {
    CStorageValue* aboveSeaLevel = nullptr;
    CStorageValue* aboveEllipsoid = nullptr;

    void Bind(const CStorageDatabase* database);
    bool Store(std::optional<double> altitude, std::optional<double> separation) const;
};
