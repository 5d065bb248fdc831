#include "sim_output_rates.h"

#include "plugins/kvb/framing/kvb_frame.h"

namespace {
// The navigation messages and sentences that a receiver of this kind writes unless told not to.
constexpr uint8_t kDefaultNavMessages[] = {0x02, 0x03, 0x04, 0x06, 0x12, 0x20, 0x21, 0x22, 0x30};
constexpr uint8_t kDefaultSentences[] = {0, 1, 2, 3, 4, 5, 8};
}  // namespace

CSimOutputRates::CSimOutputRates(bool kvb, bool nmea) {
    if (kvb)
        for (uint8_t id : kDefaultNavMessages) Set({kKvbClassNav, id}, 1);
    if (nmea)
        for (uint8_t id : kDefaultSentences) Set({kSimNmeaClass, id}, 1);
}

void CSimOutputRates::Set(SimOutput output, uint8_t rate) { rates[Key(output)] = rate; }

uint8_t CSimOutputRates::Rate(SimOutput output) const {
    auto found = rates.find(Key(output));
    return found == rates.end() ? 0 : found->second;
}

bool CSimOutputRates::IsDue(SimOutput output, uint64_t solution) const {
    const uint8_t rate = Rate(output);
    return rate != 0 && solution % rate == 0;
}
