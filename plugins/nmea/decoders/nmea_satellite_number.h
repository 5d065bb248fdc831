#pragma once
#include "shared/nmea_fields.h"
#include "shared/satellite_slots.h"
#include "shared/satellite_systems.h"

// A satellite that a sentence names: its number across systems (shared/satellite_systems.h) and
// its system, from the talker and, where the sentence has one, its system identifier. The GP
// talker and talkers of no satellite system keep NMEA's numbering as GP sentences always had it;
// GPS and SBAS satellites, which that numbering names, carry no system, so that every talker
// gives them the same channel. Number 0 is no satellite.
struct NmeaSatellite {
    int number;
    SatelliteSystem system;
};

inline NmeaSatellite NmeaSatelliteOf(const NmeaFields& fields, int nmeaNumber, int systemId = 0) {
    const std::string_view address = fields.Text(0);
    const char first = address.size() > 2 ? address[1] : '\0';
    const char second = address.size() > 2 ? address[2] : '\0';
    const SatelliteSystem talker = SystemOfTalker(first, second);
    const bool combined = first == 'G' && second == 'N';
    if (systemId == 0 && (talker == SatelliteSystem::Gps || (talker == SatelliteSystem::None && !combined)))
        return {SatelliteNumberOfNmea(nmeaNumber), SatelliteSystem::None};
    const SatelliteId id = SatelliteOfNmea(first, second, nmeaNumber, systemId);
    const bool legacy = id.system == SatelliteSystem::Gps || id.system == SatelliteSystem::Sbas;
    return {SatelliteNumberAcrossSystems(id), legacy ? SatelliteSystem::None : id.system};
}
