#include "sim_truth.h"

#include <algorithm>
#include <cmath>

#include "tools/sim/sim_dop.h"
#include "tools/sim/sim_geoid.h"
#include "tools/sim/sim_leap_seconds.h"

namespace {
// A cold receiver learns the time from the first subframes it decodes.
constexpr double kColdTimeUnknown = 10.0;
constexpr double kNoFixAccuracy = 9999.0;  // m

double Seconds(int64_t ms) { return static_cast<double>(ms) / 1000; }
}  // namespace

CSimTruth::CSimTruth(const SimTruthConfig& config)
    : trajectory(config.trajectory),
      startKind(config.start),
      powerOnMs(config.startGpsMs),
      restartMs(config.startGpsMs) {
    epoch.gpsMs = config.startGpsMs;
    epoch.systems = config.systems;
    tracking.Restart(config.start);
}

const SimEpoch& CSimTruth::Advance(uint32_t periodMs) {
    const double previousHeading = epoch.heading;
    const int64_t previousMs = epoch.gpsMs;
    if (started) {
        const int64_t period = std::max<uint32_t>(periodMs, 1);
        MoveTo((epoch.gpsMs / period + 1) * period);
    }
    started = true;
    FillTime();
    FillPosition();
    FillYawRate(previousHeading, Seconds(epoch.gpsMs - previousMs));
    FillSatellites();
    FillQuality();
    return epoch;
}

void CSimTruth::Restart(SimStart kind, bool powerCycle) {
    startKind = kind;
    restartMs = epoch.gpsMs;
    if (powerCycle) powerOnMs = epoch.gpsMs;
    epoch.ttffMs = 0;
    tracking.Restart(kind);
}

void CSimTruth::MoveTo(int64_t gpsMs) {
    trajectory.Advance(Seconds(gpsMs - epoch.gpsMs));
    epoch.gpsMs = gpsMs;
}

void CSimTruth::FillTime() {
    epoch.leapSeconds = SimLeapSeconds(Seconds(epoch.gpsMs));
    epoch.msss = static_cast<uint32_t>(epoch.gpsMs - powerOnMs);
    epoch.timeValid = startKind != SimStart::Cold || Seconds(epoch.gpsMs - restartMs) >= kColdTimeUnknown;
}

void CSimTruth::FillPosition() {
    const CSimTrajectory::State state = trajectory.Current();
    epoch.latitude = state.latitude;
    epoch.longitude = state.longitude;
    epoch.height = state.height;
    epoch.heightMsl = state.height - SimGeoidHeight(state.latitude, state.longitude);
    epoch.ecef = SimEcefFromGeodetic(state.latitude, state.longitude, state.height);
    epoch.velocity = {state.north, state.east, state.down};
    epoch.ecefVelocity = CSimLocalAxes(state.latitude, state.longitude).ToEcef(epoch.velocity);
    epoch.heading = state.heading;
    const double gpsSeconds = Seconds(epoch.gpsMs);
    epoch.clockDriftNsPerS = 85.3 + 4 * std::sin(gpsSeconds / 900);
    epoch.clockBiasNs = std::fmod(85.3 * gpsSeconds + 120000, 1e6) - 5e5;
}

// The turn since the previous epoch, the short way round; none in the first.
void CSimTruth::FillYawRate(double previousHeading, double seconds) {
    const double turn = std::remainder(epoch.heading - previousHeading, 360.0);
    epoch.yawRate = seconds > 0 ? turn / seconds : 0;
}

void CSimTruth::FillSatellites() {
    const auto visible = constellation.Visible(Seconds(epoch.gpsMs), epoch.latitude, epoch.longitude, epoch.height);
    epoch.satellites = tracking.Update(visible, Seconds(epoch.gpsMs - restartMs), Seconds(epoch.gpsMs));
    const int used = epoch.UsedCount();
    epoch.fix = used >= 4 ? SimFix::ThreeD : used == 3 ? SimFix::TwoD : SimFix::None;
    if (epoch.HasFix() && epoch.ttffMs == 0)
        epoch.ttffMs = static_cast<uint32_t>(std::max<int64_t>(epoch.gpsMs - restartMs, 1));
    epoch.differential = epoch.HasFix() && std::any_of(epoch.satellites.begin(), epoch.satellites.end(),
                                                       [](auto& s) { return s.IsSbas() && s.tracked; });
    if (epoch.systems != kSimGpsOnly)
        epoch.otherSatellites = SimOtherSystemsInView(epoch.systems, Seconds(epoch.gpsMs), epoch.latitude,
                                                      epoch.longitude, epoch.height, epoch.HasFix());
}

// Accuracies follow the geometry, as a receiver's estimates do.
void CSimTruth::FillQuality() {
    epoch.dop = ComputeDop(epoch.satellites);
    if (epoch.fix != SimFix::ThreeD) {
        epoch.hAcc = epoch.vAcc = epoch.pAcc = kNoFixAccuracy;
        epoch.sAcc = 20;
        epoch.tAccNs = 1e6;
        return;
    }
    epoch.hAcc = 1.5 * epoch.dop.horizontal + 0.3;
    epoch.vAcc = 2.2 * epoch.dop.vertical + 0.5;
    epoch.pAcc = std::hypot(epoch.hAcc, epoch.vAcc);
    epoch.sAcc = 0.05 * epoch.dop.position + 0.02;
    epoch.tAccNs = 8 * epoch.dop.time + 5;
}
