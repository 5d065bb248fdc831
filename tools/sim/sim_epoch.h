#pragma once
#include <cstdint>
#include <vector>

#include "tools/sim/sim_geodesy.h"
#include "tools/sim/sim_other_systems.h"

// One satellite as the simulated receiver sees it in one epoch.
struct SimSatellite {
    int svid;          // 1-32 GPS, 120-138 SBAS
    int channel;       // receiver channel 0-15
    double azimuth;    // degrees, 0 to 360
    double elevation;  // degrees
    double cn0;        // dBHz; 0 while not tracked
    bool tracked;      // signal locked
    bool almanac;      // orbit known from the almanac
    bool ephemeris;    // orbit known from the satellite's own ephemeris
    bool used;         // in the navigation solution
    double residual;   // pseudorange residual, m
    SimEcef position;  // m, earth-centred

    bool IsSbas() const { return svid >= 120; }
    // Where the satellite is is known from its almanac or its ephemeris.
    bool PositionKnown() const { return almanac || ephemeris; }
    // As both protocols carry them: whole degrees (azimuth 0 to 359) and whole dBHz.
    int AzimuthDegrees() const;
    int ElevationDegrees() const;
    int Cn0() const;
};

// A value in hundredths, as dilutions of precision travel in both protocols.
int SimHundredths(double value);

// Dilutions of precision of the used satellites' geometry.
struct SimDop {
    double geometric, position, time, vertical, horizontal, northing, easting;
};

enum class SimFix : uint8_t { None = 0, TwoD = 2, ThreeD = 3 };

// The truth of one navigation epoch: every message of the epoch, in either protocol, is written
// from this record alone, so both protocols always tell the same story.
struct SimEpoch {
    int64_t gpsMs = 0;  // GPS time since 1980-01-06, milliseconds
    int leapSeconds = 0;
    bool timeValid = false;
    SimFix fix = SimFix::None;
    bool differential = false;
    uint32_t msss = 0;    // since power-on, ms
    uint32_t ttffMs = 0;  // of the latest start; 0 until the first fix after it

    double latitude = 0, longitude = 0;  // degrees
    double height = 0, heightMsl = 0;    // m above ellipsoid and above mean sea level
    SimEcef ecef{};                      // m
    SimNed velocity{};                   // m/s
    SimEcef ecefVelocity{};              // m/s
    double heading = 0;                  // degrees, 0 to 360
    double yawRate = 0;                  // degrees per second, clockwise

    SimDop dop{};
    double hAcc = 0, vAcc = 0, pAcc = 0, sAcc = 0;  // m, m/s
    double tAccNs = 0;
    double clockBiasNs = 0, clockDriftNsPerS = 0;
    std::vector<SimSatellite> satellites;
    // Of GLONASS, Galileo, BeiDou and QZSS, when the receiver tracks them too: its NMEA output then
    // speaks for several systems (talker GN), its KVB messages still for GPS alone.
    SimSystems systems = kSimGpsOnly;
    std::vector<SimSystemSatellite> otherSatellites;

    bool HasFix() const { return fix != SimFix::None; }
    int64_t UtcMs() const;
    int Week() const;
    uint32_t TimeOfWeekMs() const;
    double GroundSpeed() const;
    double Speed3D() const;
    int UsedCount() const;
    // Of every system.
    int UsedCountOfAllSystems() const;
    int TrackedCount() const;
};
