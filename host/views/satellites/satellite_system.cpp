#include "satellite_system.h"

#include <algorithm>
#include <initializer_list>

namespace {

bool IsOneOf(int number, std::initializer_list<int> numbers) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

const char16_t* SbasName(int number) {
    if (IsOneOf(number, {122, 134, 135, 138})) return u"WAAS";
    if (IsOneOf(number, {120, 124, 126, 131})) return u"EGNOS";
    if (IsOneOf(number, {129, 137})) return u"MSAS";
    return u"SBAS";
}

}  // namespace

const char16_t* SatelliteSystemName(int number) {
    if (number == 0) return u"";
    if (number >= 1 && number <= 37) return u"GPS";
    if (number >= 38 && number <= 61) return u"Glonass";
    if (number >= 120 && number <= 158) return SbasName(number);
    if (number >= 159 && number <= 208) return u"Galileo";
    if (number == 209) return u"Giove-A";
    return u"SV";
}
