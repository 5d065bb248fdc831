#pragma once
#include <cstdint>
#include <span>

#include "tools/sim/sim_output_rates.h"
#include "tools/sim/sim_settings.h"

// The receiver's saved copy of its configuration and what CFG-CFG does with it: clearing sets
// parts of the saved copy back to the factory's, saving copies the current parts into it and
// loading makes its parts current, in that order. Bit 1 of each mask stands for the output rates.
class CSimSavedConfiguration {
public:
    CSimSavedConfiguration(const CSimSettings& settings, const CSimOutputRates& rates)
        : factorySettings(settings), factoryRates(rates), savedSettings(settings), savedRates(rates) {}

    // A CFG-CFG payload of 12 or 13 bytes; false for any other.
    bool Execute(std::span<const uint8_t> payload, CSimSettings& settings, CSimOutputRates& rates);

private:
    CSimSettings factorySettings;
    CSimOutputRates factoryRates;
    CSimSettings savedSettings;
    CSimOutputRates savedRates;
};
