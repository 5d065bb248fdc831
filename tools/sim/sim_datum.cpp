#include "sim_datum.h"

#include <algorithm>
#include <bit>
#include <string>

#include "plugins/kvb/editors/datum_table.h"
#include "tools/sim/sim_payload.h"

namespace {

constexpr size_t kSelectLength = 2;
constexpr size_t kUserLength = 44;
constexpr size_t kCodeOffset = 2;
constexpr size_t kCodeField = 6;
constexpr size_t kParametersOffset = 8;
constexpr uint16_t kUserNumber = 0xFFFF;
constexpr double kWgs84SemiMajorAxis = 6378137.0;
constexpr double kWgs84InverseFlattening = 298.257223563;

// The codes are plain ASCII.
std::string CodeOf(size_t number) {
    const std::u16string_view code = DatumCode(number);
    std::string text;
    for (const char16_t c : code) text += static_cast<char>(c);
    return text;
}

std::vector<uint8_t> Answer(uint16_t number, const std::string& code, std::span<const uint8_t> parameters) {
    std::vector<uint8_t> answer =
        CSimPayload(kSimDatumAnswerLength).U2(0, number).Text(kCodeOffset, code, kCodeField).Take();
    std::copy(parameters.begin(), parameters.end(), answer.begin() + kParametersOffset);
    return answer;
}

std::vector<uint8_t> Wgs84Parameters() {
    std::vector<uint8_t> parameters(kUserLength, 0);
    const uint64_t axis = std::bit_cast<uint64_t>(kWgs84SemiMajorAxis);
    const uint64_t flattening = std::bit_cast<uint64_t>(kWgs84InverseFlattening);
    for (size_t i = 0; i < 8; ++i) {
        parameters[i] = static_cast<uint8_t>(axis >> (8 * i));
        parameters[8 + i] = static_cast<uint8_t>(flattening >> (8 * i));
    }
    return parameters;
}

}  // namespace

std::vector<uint8_t> SimWgs84Datum() { return Answer(0, CodeOf(0), Wgs84Parameters()); }

std::optional<std::vector<uint8_t>> SimDatumAnswer(std::span<const uint8_t> payload) {
    if (payload.size() == kUserLength) return Answer(kUserNumber, "USER", payload);
    if (payload.size() != kSelectLength) return std::nullopt;
    const uint16_t number = static_cast<uint16_t>(payload[0] | payload[1] << 8);
    if (number >= kDatumCount) return std::nullopt;
    if (number == 0) return SimWgs84Datum();
    return Answer(number, CodeOf(number), std::vector<uint8_t>(kUserLength, 0));
}
