#include "sim_tracking.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
constexpr double kDegree = std::numbers::pi / 180;
// Seconds from the start to the first signal, and between the signals of the following ones.
struct Acquisition {
    double first, step;
};
constexpr Acquisition kHot{0.5, 0.2};
constexpr Acquisition kWarm{1.0, 0.5};
constexpr Acquisition kCold{4.0, 1.5};
constexpr double kRisingAcquisition = 1.0;
constexpr double kEphemerisDecoding = 30.0;

const Acquisition& AcquisitionOf(SimStart kind) {
    switch (kind) {
        case SimStart::Hot:
            return kHot;
        case SimStart::Warm:
            return kWarm;
        case SimStart::Cold:
            break;
    }
    return kCold;
}

// Stronger signals from higher satellites, with a slow flutter of a dB or two.
double CarrierToNoise(const CSimConstellation::InView& view, double gpsSeconds) {
    const double lift = std::sin(std::max(view.elevation, 0.0) * kDegree);
    const double base = view.svid >= 120 ? 36 + 6 * lift : 31 + 17 * lift;
    const double flutter =
        1.5 * std::sin(gpsSeconds / 7 + view.svid) + 0.8 * std::sin(gpsSeconds / 2.3 + 2 * view.svid);
    return std::clamp(base + flutter, 15.0, 52.0);
}
}  // namespace

void CSimTracking::Restart(SimStart startKind) {
    kind = startKind;
    searchingFromStart = true;
    searchedFromStart = 0;
    channels.fill(std::nullopt);
}

std::vector<SimSatellite> CSimTracking::Update(const std::vector<CSimConstellation::InView>& visible, double sinceStart,
                                               double gpsSeconds) {
    ReleaseSatellitesBelowMask(visible);
    AssignRisingSatellites(visible, sinceStart);
    searchingFromStart = false;
    std::vector<SimSatellite> satellites;
    for (int i = 0; i < kChannels; ++i) {
        if (!channels[i]) continue;
        auto view = std::find_if(visible.begin(), visible.end(), [&](auto& v) { return v.svid == channels[i]->svid; });
        satellites.push_back(Describe(i, *view, sinceStart, gpsSeconds));
    }
    return satellites;
}

void CSimTracking::ReleaseSatellitesBelowMask(const std::vector<CSimConstellation::InView>& visible) {
    for (auto& channel : channels) {
        if (channel && std::none_of(visible.begin(), visible.end(), [&](auto& v) { return v.svid == channel->svid; }))
            channel.reset();
    }
}

void CSimTracking::AssignRisingSatellites(const std::vector<CSimConstellation::InView>& visible, double sinceStart) {
    for (const auto& view : visible) {
        if (std::any_of(channels.begin(), channels.end(), [&](auto& c) { return c && c->svid == view.svid; })) continue;
        auto free = std::find(channels.begin(), channels.end(), std::nullopt);
        if (free != channels.end()) *free = NewChannel(view.svid, sinceStart);
    }
}

CSimTracking::Channel CSimTracking::NewChannel(int svid, double sinceStart) {
    if (!searchingFromStart)
        return {svid, sinceStart + kRisingAcquisition, sinceStart + kRisingAcquisition + kEphemerisDecoding};
    const Acquisition& acquisition = AcquisitionOf(kind);
    const double acquireAt = sinceStart + acquisition.first + acquisition.step * searchedFromStart++;
    return {svid, acquireAt, kind == SimStart::Hot ? acquireAt : acquireAt + kEphemerisDecoding};
}

SimSatellite CSimTracking::Describe(int index, const CSimConstellation::InView& view, double sinceStart,
                                    double gpsSeconds) const {
    const Channel& channel = *channels[index];
    SimSatellite satellite{};
    satellite.svid = view.svid;
    satellite.channel = index;
    satellite.azimuth = view.azimuth;
    satellite.elevation = view.elevation;
    satellite.position = view.position;
    satellite.tracked = sinceStart >= channel.acquireAt;
    satellite.cn0 = satellite.tracked ? CarrierToNoise(view, gpsSeconds) : 0;
    satellite.almanac = kind != SimStart::Cold;
    satellite.ephemeris = satellite.tracked && sinceStart >= channel.ephemerisAt;
    satellite.used = satellite.ephemeris && !satellite.IsSbas() && view.elevation >= kUseMask;
    const double lowness = 1 + 2 * (1 - std::sin(view.elevation * kDegree));
    satellite.residual = satellite.used ? 1.5 * lowness * std::sin(gpsSeconds / 11 + 0.7 * view.svid) : 0;
    return satellite;
}
