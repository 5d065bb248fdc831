#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "tools/sim/sim_data_logger.h"
#include "tools/sim/sim_orbit_transfer.h"
#include "tools/sim/sim_other_systems.h"
#include "tools/sim/sim_tracking.h"
#include "tools/sim/sim_trajectory.h"

// What veltro-sim is asked to do.
struct SimOptions {
    // "pty" for a pseudo-terminal, "-" for standard output, else a file.
    std::string output = "pty";
    // A stable path for the pseudo-terminal: a link to its device.
    std::string linkPath;
    // Seconds between two unplugs of the pseudo-terminal; 0 never.
    uint32_t replugEverySeconds = 0;
    // Where every byte that went out on the line is kept.
    std::string writtenLogPath;
    uint16_t periodMs = 1000;
    // UTC seconds since 1970 of the first epoch; the system clock when not given.
    std::optional<double> startUtc;
    SimTrajectoryConfig trajectory{.motion = SimMotion::Drive};
    SimStart start = SimStart::Hot;
    SimSystems systems = kSimGpsOnly;
    bool kvb = true;
    bool nmea = true;
    bool flood = false;
    uint64_t epochs = 0;
    std::string truthPath;
    // Where the configuration and aiding frames received are logged; empty: standard error.
    std::string frameLogPath;
    SimOrbitTransferConfig orbit;
    SimDataLoggerConfig logger;
    bool help = false;
};

// False, with the reason, for an unknown option or a value out of range.
bool ParseSimOptions(int argc, const char* const* argv, SimOptions& options, std::string& error);
const char* SimUsage();
