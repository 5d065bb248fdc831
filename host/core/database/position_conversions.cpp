#include "position_conversions.h"

#include "host/core/reference/geodesy.h"
#include "host/core/reference/geoid.h"
#include "shared/entry_ids.h"

using namespace conversion;

void PositionEntries::Bind(CStorageDatabase& database) {
    latitude = FindValue(database, entry::kLatitude);
    longitude = FindValue(database, entry::kLongitude);
    heightAboveEllipsoid = FindValue(database, entry::kHeightAboveEllipsoid);
    x = FindValue(database, entry::kEcefX);
    y = FindValue(database, entry::kEcefY);
    z = FindValue(database, entry::kEcefZ);
}

bool CPositionEcefToLlh::Run() {
    if (!Holds(position.x) || !Holds(position.y)) return false;
    const double x = position.x->GetValue();
    const double y = position.y->GetValue();
    bool stored = Wants(position.longitude) && Fill(position.longitude, LongitudeFromEcef(x, y));
    if (Holds(position.z) && WantsAny({position.latitude, position.heightAboveEllipsoid})) {
        const GeodeticPosition geodetic = EcefToGeodetic({x, y, position.z->GetValue()});
        stored |= Fill(position.latitude, geodetic.latitude);
        stored |= Fill(position.heightAboveEllipsoid, geodetic.height);
    }
    return stored;
}

void CPositionAltitude::Bind(CStorageDatabase& database) {
    latitude = FindValue(database, entry::kLatitude);
    longitude = FindValue(database, entry::kLongitude);
    heightAboveEllipsoid = FindValue(database, entry::kHeightAboveEllipsoid);
    heightAboveSeaLevel = FindValue(database, entry::kHeightAboveSeaLevel);
}

bool CPositionAltitude::Run() {
    if (!Holds(latitude) || !Holds(longitude)) return false;
    const bool hasEllipsoidal = Holds(heightAboveEllipsoid);
    if (hasEllipsoidal == Holds(heightAboveSeaLevel)) return false;
    const double separation = GeoidSeparation(latitude->GetValue() * wgs84::kDegreesPerRadian,
                                              longitude->GetValue() * wgs84::kDegreesPerRadian);
    if (hasEllipsoidal) return Fill(heightAboveSeaLevel, heightAboveEllipsoid->GetValue() - separation);
    return Fill(heightAboveEllipsoid, heightAboveSeaLevel->GetValue() + separation);
}

bool CPositionLlhToEcef::Run() {
    if (!Holds(position.latitude) || !Holds(position.longitude) || !Holds(position.heightAboveEllipsoid)) return false;
    if (!WantsAny({position.x, position.y, position.z})) return false;
    const EcefVector ecef = GeodeticToEcef(
        {position.latitude->GetValue(), position.longitude->GetValue(), position.heightAboveEllipsoid->GetValue()});
    bool stored = Fill(position.x, ecef.x);
    stored |= Fill(position.y, ecef.y);
    stored |= Fill(position.z, ecef.z);
    return stored;
}
