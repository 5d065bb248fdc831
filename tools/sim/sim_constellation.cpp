#include "sim_constellation.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/sim/sim_geodesy.h"

namespace {
constexpr double kDegree = std::numbers::pi / 180;
constexpr double kEarthGravity = 3.986004418e14;     // m³/s²
constexpr double kEarthRotation = 7.2921151467e-5;   // rad/s
constexpr double kGpsOrbitRadius = 26559700.0;       // m
constexpr double kGeostationaryRadius = 42164170.0;  // m
constexpr double kInclination = 55.0 * kDegree;
constexpr int kGpsSatellites = 32;
constexpr int kPlanes = 6;

struct Geostationary {
    int svid;
    double longitude;  // degrees east
};
// EGNOS, WAAS, MSAS and GAGAN satellites at their approximate stations.
constexpr Geostationary kSbas[] = {
    {120, -15.5},  {123, 31.5},   {126, 25.0}, {127, 55.0},  {128, 83.0},   {129, 140.0},
    {131, -117.0}, {133, -129.0}, {136, 5.0},  {137, 145.0}, {138, -107.3},
};

SimEcef GpsPosition(int index, double gpsSeconds) {
    const int plane = index % kPlanes;
    const int slot = index / kPlanes;
    const int slotsInPlane = (kGpsSatellites + kPlanes - 1 - plane) / kPlanes;
    const double meanMotion = std::sqrt(kEarthGravity / std::pow(kGpsOrbitRadius, 3));
    const double u = (slot * 360.0 / slotsInPlane + plane * 15.0) * kDegree + meanMotion * gpsSeconds;
    const double node = (plane * 60.0 + 12.0) * kDegree - kEarthRotation * gpsSeconds;
    const double cu = std::cos(u), su = std::sin(u), cn = std::cos(node), sn = std::sin(node);
    const double ci = std::cos(kInclination), si = std::sin(kInclination);
    return {kGpsOrbitRadius * (cu * cn - su * ci * sn), kGpsOrbitRadius * (cu * sn + su * ci * cn),
            kGpsOrbitRadius * su * si};
}

SimEcef SbasPosition(double longitude) {
    return {kGeostationaryRadius * std::cos(longitude * kDegree), kGeostationaryRadius * std::sin(longitude * kDegree),
            0};
}

CSimConstellation::InView Look(int svid, const SimEcef& satellite, const SimEcef& receiver, const CSimLocalAxes& axes) {
    const SimNed local = axes.FromEcef({satellite.x - receiver.x, satellite.y - receiver.y, satellite.z - receiver.z});
    double azimuth = std::atan2(local.east, local.north) / kDegree;
    if (azimuth < 0) azimuth += 360;
    return {svid, azimuth, std::atan2(-local.down, std::hypot(local.north, local.east)) / kDegree, satellite};
}

// Keeps the highest ones, then orders them by number.
void KeepHighest(std::vector<CSimConstellation::InView>& satellites, size_t count) {
    std::sort(satellites.begin(), satellites.end(), [](auto& a, auto& b) { return a.elevation > b.elevation; });
    if (satellites.size() > count) satellites.resize(count);
    std::sort(satellites.begin(), satellites.end(), [](auto& a, auto& b) { return a.svid < b.svid; });
}
}  // namespace

std::vector<CSimConstellation::InView> CSimConstellation::Visible(double gpsSeconds, double latitude, double longitude,
                                                                  double height) const {
    const SimEcef receiver = SimEcefFromGeodetic(latitude, longitude, height);
    const CSimLocalAxes axes(latitude, longitude);
    std::vector<InView> gps, sbas;
    for (int i = 0; i < kGpsSatellites; ++i) {
        const InView view = Look(i + 1, GpsPosition(i, gpsSeconds), receiver, axes);
        if (view.elevation >= kElevationMask) gps.push_back(view);
    }
    for (const Geostationary& station : kSbas) {
        const InView view = Look(station.svid, SbasPosition(station.longitude), receiver, axes);
        if (view.elevation >= kElevationMask) sbas.push_back(view);
    }
    KeepHighest(gps, kMaxGps);
    KeepHighest(sbas, kMaxSbas);
    gps.insert(gps.end(), sbas.begin(), sbas.end());
    return gps;
}
