#pragma once
#include <cstdio>
#include <optional>

#include "tools/cli/epoch_observer.h"
#include "host/core/export/value_column.h"

// One line per epoch: UTC, fix, latitude, longitude, altitude, speed, satellites used and
// tracked, PDOP.
class CMonitorLines : public CEpochObserver {
public:
    CMonitorLines(CVeltroDoc& document, std::FILE* out);

protected:
    void WriteEpoch(const CEpochHistory& history, const CEpochSnapshot& snapshot) override;

private:
    std::optional<CValueColumn> Column(uint16_t id) const;

    std::FILE* out;
    std::optional<CValueColumn> utc, fixValid, fixMode, latitude, longitude, altitude, speed, used, tracked, pdop;
};
