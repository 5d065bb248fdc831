#include "plugins/nmea/decoders/nmea_entries.h"

#include "shared/nmea_fields.h"
#include "shared/nmea_units.h"

bool StoreKnots(CStorageValue* speedOverGround, std::optional<double> knots) {
    if (!knots || *knots < 0) return false;
    return Store(speedOverGround, *knots * kMetresPerSecondPerKnot);
}

bool NmeaFixStatusEntries::StoreStatusAndMode(std::optional<char> status, std::optional<char> mode) const {
    bool changed = false;
    if (status == 'V')
        changed |= Store(navOk, 0);
    else if (mode)
        changed |= Store(navOk, *mode != 'N' ? 1 : 0);
    else if (status)
        changed |= Store(navOk, 1);
    if (!mode) return changed;

    if (*mode == 'E')
        changed |= Store(navMode, kNavModeDeadReckoning);
    else if (*mode != 'N' && !NavModeIsValid())
        changed |= Store(navMode, kNavMode2DOr3D);
    changed |= Store(dgps, *mode == 'D' ? 1 : 0);
    return changed;
}

void NmeaPositionEntries::Bind(const CStorageDatabase* database) {
    latitude = FindEntry(database, entry::kLatitude);
    longitude = FindEntry(database, entry::kLongitude);
}

bool NmeaPositionEntries::Store(const NmeaFields& fields, int n) const {
    const std::optional<double> lat = fields.Latitude(n);
    const std::optional<double> lon = fields.Longitude(n + 2);
    if (!lat || !lon) return false;
    const bool latitudeChanged = ::Store(latitude, lat);
    const bool longitudeChanged = ::Store(longitude, lon);
    return latitudeChanged || longitudeChanged;
}

void NmeaAltitudeEntries::Bind(const CStorageDatabase* database) {
    aboveSeaLevel = FindEntry(database, entry::kHeightAboveSeaLevel);
    aboveEllipsoid = FindEntry(database, entry::kHeightAboveEllipsoid);
}

bool NmeaAltitudeEntries::Store(std::optional<double> altitude, std::optional<double> separation) const {
    if (!altitude) return false;
    bool changed = ::Store(aboveSeaLevel, altitude);
    changed |= ::Store(aboveEllipsoid, *altitude + separation.value_or(0));
    return changed;
}
