#pragma once
#include <cstdint>
#include <optional>

#include "shared/database_entries.h"
#include "shared/entry_ids.h"
#include "shared/entry_store.h"
#include "shared/storage_values.h"

class NmeaFields;

// Values of the "Nav. Mode" choices that NMEA sentences can tell.
constexpr int kNavModeDeadReckoning = 0;
constexpr int kNavMode2D = 2;
constexpr int kNavMode2DOr3D = 3;
constexpr int kNavMode3D = 4;

bool StoreKnots(CStorageValue* speedOverGround, std::optional<double> knots);

// Nav. OK, Nav. Mode and DGPS, which several sentences tell in their own ways.
struct NmeaFixStatusEntries {
    CStorageValue* navOk = nullptr;
    CStorageValue* navMode = nullptr;
    CStorageValue* dgps = nullptr;

    void Bind(const CStorageDatabase* database);
    bool NavModeIsValid() const { return navMode && navMode->IsValid(); }
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
