#include "sim_other_systems.h"

#include <cmath>
#include <numbers>
#include <string>

#include "tools/sim/sim_geodesy.h"

namespace {

constexpr double kDegree = std::numbers::pi / 180;
constexpr double kEarthGravity = 3.986004418e14;    // m³/s²
constexpr double kEarthRotation = 7.2921151467e-5;  // rad/s
constexpr double kElevationMask = 5.0;
constexpr double kUseMask = 10.0;

struct SystemOrbits {
    SatelliteSystem system;
    const char* name;
    int satellites;
    int planes;
    double radius;       // m
    double inclination;  // degrees
    double firstNode;    // degrees, right ascension of the first plane at t = 0
};

// clang-format off
constexpr SystemOrbits kSystems[] = {
    {SatelliteSystem::Glonass, "glonass", 24, 3, 25508200.0, 64.8,  20.0},
    {SatelliteSystem::Galileo, "galileo", 24, 3, 29599800.0, 56.0,  50.0},
    {SatelliteSystem::BeiDou,  "beidou",  24, 3, 27906100.0, 55.0,  80.0},
    // Inclined geosynchronous orbits over East Asia, one satellite to a plane.
    {SatelliteSystem::Qzss,    "qzss",     3, 3, 42164170.0, 41.0, 135.0},
};
// clang-format on

SimEcef Position(const SystemOrbits& orbits, int index, double gpsSeconds) {
    const int plane = index % orbits.planes;
    const int slot = index / orbits.planes;
    const int inPlane = orbits.satellites / orbits.planes;
    const double meanMotion = std::sqrt(kEarthGravity / std::pow(orbits.radius, 3));
    const double u = (slot * 360.0 / inPlane + plane * 20.0) * kDegree + meanMotion * gpsSeconds;
    const double node = (orbits.firstNode + plane * 360.0 / orbits.planes) * kDegree - kEarthRotation * gpsSeconds;
    const double cu = std::cos(u), su = std::sin(u), cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(orbits.inclination * kDegree), si = std::sin(orbits.inclination * kDegree);
    return {orbits.radius * (cu * cn - su * ci * sn), orbits.radius * (cu * sn + su * ci * cn),
            orbits.radius * su * si};
}

}  // namespace

bool ParseSimSystems(std::string_view list, SimSystems& systems) {
    systems = kSimGpsOnly;
    while (!list.empty()) {
        const size_t comma = list.find(',');
        const std::string_view name = list.substr(0, comma);
        list = comma == std::string_view::npos ? std::string_view{} : list.substr(comma + 1);
        if (name == "gps") continue;
        bool known = false;
        for (const SystemOrbits& orbits : kSystems)
            if (name == orbits.name) {
                systems |= SimSystemBit(orbits.system);
                known = true;
            }
        if (!known) return false;
    }
    return true;
}

std::vector<SimSystemSatellite> SimOtherSystemsInView(SimSystems systems, double gpsSeconds, double latitude,
                                                      double longitude, double height, bool fix) {
    const SimEcef receiver = SimEcefFromGeodetic(latitude, longitude, height);
    const CSimLocalAxes axes(latitude, longitude);
    std::vector<SimSystemSatellite> inView;
    for (const SystemOrbits& orbits : kSystems) {
        if (!(systems & SimSystemBit(orbits.system))) continue;
        for (int i = 0; i < orbits.satellites; ++i) {
            const SimEcef at = Position(orbits, i, gpsSeconds);
            const SimNed local = axes.FromEcef({at.x - receiver.x, at.y - receiver.y, at.z - receiver.z});
            const double elevation = std::atan2(-local.down, std::hypot(local.north, local.east)) / kDegree;
            if (elevation < kElevationMask) continue;
            double azimuth = std::atan2(local.east, local.north) / kDegree;
            if (azimuth < 0) azimuth += 360;
            // Stronger towards the zenith, as the antenna's pattern and the path through the air make it.
            const double cn0 = fix ? 32 + 16 * std::sin(elevation * kDegree) : 0;
            inView.push_back({orbits.system, i + 1, azimuth, elevation, cn0, fix && elevation >= kUseMask});
        }
    }
    return inView;
}
