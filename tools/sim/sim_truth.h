#pragma once
#include <cstdint>

#include "tools/sim/sim_constellation.h"
#include "tools/sim/sim_epoch.h"
#include "tools/sim/sim_tracking.h"
#include "tools/sim/sim_trajectory.h"

struct SimTruthConfig {
    int64_t startGpsMs = 0;  // GPS time of the first epoch, ms since 1980-01-06
    SimTrajectoryConfig trajectory;
    SimStart start = SimStart::Hot;
    SimSystems systems = kSimGpsOnly;
};

// The one truth behind every message: time, the antenna's trajectory, the satellites in view and
// the receiver's channels, and from them fix, dilutions, accuracies and clock.
class CSimTruth {
public:
    explicit CSimTruth(const SimTruthConfig& config);

    // The first call gives the epoch at the start time; each later one moves on to the next
    // whole multiple of the period.
    const SimEpoch& Advance(uint32_t periodMs);
    // A reset: the fix is lost and found again as fast as the kind of start allows; a power
    // cycle restarts the time since start-up too.
    void Restart(SimStart kind, bool powerCycle);
    const SimEpoch& Current() const { return epoch; }
    bool Started() const { return started; }

private:
    void MoveTo(int64_t gpsMs);
    void FillTime();
    void FillPosition();
    void FillYawRate(double previousHeading, double seconds);
    void FillSatellites();
    void FillQuality();

    CSimTrajectory trajectory;
    CSimConstellation constellation;
    CSimTracking tracking;
    SimEpoch epoch;
    bool started = false;
    SimStart startKind;
    int64_t powerOnMs;
    int64_t restartMs;
};
