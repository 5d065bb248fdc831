#pragma once
#include <array>
#include <optional>
#include <vector>

#include "tools/sim/sim_constellation.h"
#include "tools/sim/sim_epoch.h"

// How a receiver starts: what it still knows decides how soon it finds the satellites and when
// it has their orbits again.
enum class SimStart { Hot, Warm, Cold };

// The receiver's channels: which satellite each one follows, when its signal is found, when its
// ephemeris is decoded, its signal strength and whether it takes part in the solution.
class CSimTracking {
public:
    static constexpr int kChannels = 16;
    static constexpr double kUseMask = 10.0;  // degrees of elevation

    void Restart(SimStart kind);
    // The channels at a moment after the start (seconds), for the satellites now in view.
    std::vector<SimSatellite> Update(const std::vector<CSimConstellation::InView>& visible, double sinceStart,
                                     double gpsSeconds);

private:
    struct Channel {
        int svid;
        double acquireAt;    // seconds since the start
        double ephemerisAt;  // seconds since the start
    };

    void ReleaseSatellitesBelowMask(const std::vector<CSimConstellation::InView>& visible);
    void AssignRisingSatellites(const std::vector<CSimConstellation::InView>& visible, double sinceStart);
    Channel NewChannel(int svid, double sinceStart);
    SimSatellite Describe(int index, const CSimConstellation::InView& view, double sinceStart, double gpsSeconds) const;

    SimStart kind = SimStart::Hot;
    // The satellites in view at the start are searched in order; those that rise later are found
    // with what the receiver then knows.
    bool searchingFromStart = true;
    int searchedFromStart = 0;
    std::array<std::optional<Channel>, kChannels> channels;
};
