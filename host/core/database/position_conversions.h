#pragma once
#include "host/core/database/conversion_entries.h"

struct PositionEntries {
    CStorageValue* latitude = nullptr;
    CStorageValue* longitude = nullptr;
    CStorageValue* heightAboveEllipsoid = nullptr;
    CStorageValue* x = nullptr;
    CStorageValue* y = nullptr;
    CStorageValue* z = nullptr;

    void Bind(CStorageDatabase& database);
};

// "Position ECEF to LLH": longitude from X and Y alone; latitude and height need Z too.
class CPositionEcefToLlh : public CConversion {
public:
    void Bind(CStorageDatabase& database) override { position.Bind(database); }
    bool Run() override;

private:
    PositionEntries position;
};

// "Position Altitude": height above the ellipsoid and above mean sea level from each other,
// through the geoid separation at the position.
class CPositionAltitude : public CConversion {
public:
    void Bind(CStorageDatabase& database) override;
    bool Run() override;

private:
    CStorageValue* latitude = nullptr;
    CStorageValue* longitude = nullptr;
    CStorageValue* heightAboveEllipsoid = nullptr;
    CStorageValue* heightAboveSeaLevel = nullptr;
};

// "Position LLH to ECEF".
class CPositionLlhToEcef : public CConversion {
public:
    void Bind(CStorageDatabase& database) override { position.Bind(database); }
    bool Run() override;

private:
    PositionEntries position;
};
