#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "shared/satellite_systems.h"

// The systems a receiver tracks besides GPS and SBAS, as bits of SatelliteSystem.
using SimSystems = uint32_t;

constexpr SimSystems SimSystemBit(SatelliteSystem system) { return SimSystems{1} << static_cast<int>(system); }
constexpr SimSystems kSimGpsOnly = SimSystemBit(SatelliteSystem::Gps);

// "gps,glonass,galileo,beidou,qzss" (GPS always among them); false for an unknown name.
bool ParseSimSystems(std::string_view list, SimSystems& systems);

// One satellite of another system as the receiver sees it; its number is the one within its system.
struct SimSystemSatellite {
    SatelliteSystem system;
    int number;
    double azimuth;    // degrees, 0 to 360
    double elevation;  // degrees
    double cn0;        // dBHz; 0 while not tracked
    bool used;
};

// GLONASS, Galileo, BeiDou and QZSS on circular orbits of their heights and inclinations: which
// satellites stand above the mask at a place, tracked once the receiver has a GPS fix.
std::vector<SimSystemSatellite> SimOtherSystemsInView(SimSystems systems, double gpsSeconds, double latitude,
                                                      double longitude, double height, bool fix);
