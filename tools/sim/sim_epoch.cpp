#include "sim_epoch.h"

#include <algorithm>
#include <cmath>

#include "shared/calendar.h"

namespace {
constexpr int64_t kMsPerWeek = 604800000;
constexpr int64_t kGpsEpochUtcMs = static_cast<int64_t>(kGpsEpochUtc) * 1000;
}  // namespace

int SimSatellite::AzimuthDegrees() const { return static_cast<int>(std::lround(azimuth)) % 360; }

int SimSatellite::ElevationDegrees() const { return static_cast<int>(std::lround(elevation)); }

int SimSatellite::Cn0() const { return static_cast<int>(std::lround(cn0)); }

int SimHundredths(double value) { return static_cast<int>(std::lround(value * 100)); }

int64_t SimEpoch::UtcMs() const { return gpsMs + kGpsEpochUtcMs - int64_t{leapSeconds} * 1000; }

int SimEpoch::Week() const { return static_cast<int>(gpsMs / kMsPerWeek); }

uint32_t SimEpoch::TimeOfWeekMs() const { return static_cast<uint32_t>(gpsMs % kMsPerWeek); }

double SimEpoch::GroundSpeed() const { return std::hypot(velocity.north, velocity.east); }

double SimEpoch::Speed3D() const { return std::hypot(velocity.north, velocity.east, velocity.down); }

int SimEpoch::UsedCount() const {
    return static_cast<int>(std::count_if(satellites.begin(), satellites.end(), [](auto& s) { return s.used; }));
}

int SimEpoch::TrackedCount() const {
    return static_cast<int>(std::count_if(satellites.begin(), satellites.end(), [](auto& s) { return s.tracked; }));
}

int SimEpoch::UsedCountOfAllSystems() const {
    return UsedCount() + static_cast<int>(std::count_if(otherSatellites.begin(), otherSatellites.end(),
                                                        [](const SimSystemSatellite& s) { return s.used; }));
}
