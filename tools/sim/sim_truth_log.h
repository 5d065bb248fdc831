#pragma once
#include <cstdio>
#include <string>

#include "tools/sim/sim_epoch.h"

// The truth of every epoch as CSV, for checking what a host made of the receiver's output.
// Columns: utc (ISO 8601), fix (0, 2, 3), latitude, longitude (degrees), height, height_msl (m),
// speed (m/s over ground), heading (degrees), used, tracked, pdop.
class CSimTruthLog {
public:
    // False when the file cannot be created.
    bool Open(const std::string& path);
    ~CSimTruthLog();

    void Write(const SimEpoch& epoch);

private:
    std::FILE* file = nullptr;
};
