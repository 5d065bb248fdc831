#pragma once
#include <vector>

#include "tools/sim/sim_epoch.h"

// What a receiver reports while its geometry gives no solution.
constexpr double kSimNoDop = 99.99;

// The dilutions of precision of the used satellites' geometry (east, north, up and clock);
// kSimNoDop for all of them with fewer than four used satellites or a degenerate geometry.
SimDop ComputeDop(const std::vector<SimSatellite>& satellites);
