#pragma once
#include <cstdint>
#include <vector>

#include "tools/sim/sim_geodesy.h"

// Where the satellites are in the sky of a place: 32 GPS satellites on circular orbits in six
// planes, and the geostationary SBAS satellites. Pure geometry, the same for every receiver.
class CSimConstellation {
public:
    struct InView {
        int svid;
        double azimuth;    // degrees, 0 to 360
        double elevation;  // degrees
        SimEcef position;  // m, earth-centred
    };

    static constexpr double kElevationMask = 5.0;
    static constexpr int kMaxGps = 12;
    static constexpr int kMaxSbas = 2;

    // The satellites above the mask at GPS time t (seconds since 1980-01-06): at most the 12
    // highest GPS satellites and the 2 highest SBAS satellites, GPS first, each by number.
    std::vector<InView> Visible(double gpsSeconds, double latitude, double longitude, double height) const;
};
