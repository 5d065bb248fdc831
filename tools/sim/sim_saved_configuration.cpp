#include "sim_saved_configuration.h"

namespace {

constexpr uint32_t kRatesGroup = 1u << 1;

uint32_t MaskAt(std::span<const uint8_t> payload, size_t at) {
    return payload[at] | payload[at + 1] << 8 | payload[at + 2] << 16 | static_cast<uint32_t>(payload[at + 3]) << 24;
}

void Copy(const CSimSettings& fromSettings, const CSimOutputRates& fromRates, uint32_t groups, CSimSettings& settings,
          CSimOutputRates& rates) {
    settings.TakeGroups(fromSettings, groups);
    if (groups & kRatesGroup) rates = fromRates;
}

}  // namespace

bool CSimSavedConfiguration::Execute(std::span<const uint8_t> payload, CSimSettings& settings,
                                     CSimOutputRates& rates) {
    if (payload.size() != 12 && payload.size() != 13) return false;
    Copy(factorySettings, factoryRates, MaskAt(payload, 0), savedSettings, savedRates);
    Copy(settings, rates, MaskAt(payload, 4), savedSettings, savedRates);
    Copy(savedSettings, savedRates, MaskAt(payload, 8), settings, rates);
    return true;
}
