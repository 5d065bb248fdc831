#include "shared/nmea_fields.h"

#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

#include "shared/nmea_units.h"

namespace {

bool EndsSentence(char c) { return c == '*' || c == '\r' || c == '\n'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Offsets stay within 16 bits; longer text is no sentence and is read as far as that.
std::string_view SentenceText(const uint8_t* bytes, int length) {
    const std::string_view text(reinterpret_cast<const char*>(bytes), bytes && length > 0 ? static_cast<size_t>(length) : 0);
    return text.substr(0, UINT16_MAX - 1);
}

// Where a number starts: leading blanks and one plus sign are allowed, as text-to-number
// conversions allow them.
std::string_view NumberText(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
    return text;
}

// A decimal of at most 19 digits that make at most 53 bits is the quotient of two doubles that
// hold it exactly, and one division rounds it as the full conversion would. Nearly every number
// of a sentence is such a decimal; false sends the rest the long way.
bool ReadShortDecimal(std::string_view text, double& value) {
    // Any 19 digits fit in 64 bits; more may wrap, and are left to the full conversion.
    constexpr ptrdiff_t kMostDigits = 19;
    static constexpr std::array<double, kMostDigits + 1> kPowersOfTen = {
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    constexpr uint64_t kExactLimit = uint64_t{1} << 53;
    const char* at = text.data();
    const char* const end = at + text.size();
    const bool negative = at < end && *at == '-';
    if (negative) ++at;
    uint64_t digits = 0;
    const auto readDigits = [&] {
        const char* const first = at;
        for (; at < end && static_cast<unsigned char>(*at - '0') < 10; ++at)
            digits = digits * 10 + static_cast<uint64_t>(*at - '0');
        return at - first;
    };
    const ptrdiff_t wholeDigits = readDigits();
    const ptrdiff_t fractionDigits = at < end && *at == '.' ? (++at, readDigits()) : 0;
    if (at < end && (*at == 'e' || *at == 'E')) return false;
    const ptrdiff_t digitCount = wholeDigits + fractionDigits;
    if (digitCount == 0 || digitCount > kMostDigits || digits > kExactLimit) return false;
    const double magnitude = static_cast<double>(digits) / kPowersOfTen[static_cast<size_t>(fractionDigits)];
    value = negative ? -magnitude : magnitude;
    return true;
}

template <typename T>
std::optional<T> ReadNumber(std::string_view text) {
    text = NumberText(text);
    T value{};
    if constexpr (std::is_same_v<T, double>)
        if (ReadShortDecimal(text, value)) return value;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end == text.data()) return std::nullopt;
    return value;
}

// degrees * 100 + minutes, as both coordinates write it, in radians.
double DegreesMinutesToRadians(double value) {
    const double degrees = std::trunc(value / 100.0);
    const double minutes = value - 100.0 * degrees;
    return (degrees + minutes / 60.0) * kRadiansPerDegree;
}

std::optional<double> SignedAngle(double radians, char hemisphere, char positive, char negative, double limit) {
    if (hemisphere == negative || hemisphere == negative + ('a' - 'A'))
        radians = -radians;
    else if (hemisphere != positive && hemisphere != positive + ('a' - 'A'))
        return std::nullopt;
    if (!(radians >= -limit && radians <= limit)) return std::nullopt;
    return radians;
}

}  // namespace

std::optional<NmeaTime> ParseNmeaTime(double t) {
    if (!(t >= 0 && t < 1000000)) return std::nullopt;
    const int whole = static_cast<int>(t);
    NmeaTime time{whole / 10000, whole / 100 % 100, t - 100.0 * (whole / 100)};
    if (time.hour > 23 || time.minute > 59 || !(time.second >= 0 && time.second < 60)) return std::nullopt;
    return time;
}

std::optional<NmeaDate> ParseNmeaDate(int ddmmyy) {
    if (ddmmyy < 0 || ddmmyy > 999999) return std::nullopt;
    NmeaDate date{ddmmyy / 10000, ddmmyy / 100 % 100, ddmmyy % 100};
    if (date.day < 1 || date.day > 31 || date.month < 1 || date.month > 12) return std::nullopt;
    return date;
}

std::optional<double> ParseNmeaLatitude(double ddmm, char hemisphere) {
    return SignedAngle(DegreesMinutesToRadians(ddmm), hemisphere, 'N', 'S', kPi / 2);
}

std::optional<double> ParseNmeaLongitude(double dddmm, char hemisphere) {
    return SignedAngle(DegreesMinutesToRadians(dddmm), hemisphere, 'E', 'W', kPi);
}

int FourDigitYear(int twoDigitYear) { return twoDigitYear + (twoDigitYear >= 80 ? 1900 : 2000); }

NmeaFields::NmeaFields(const uint8_t* bytes, int length) : sentence(SentenceText(bytes, length)) {
    fieldStart[0] = 0;
    size_t at = 0;
    while (at < sentence.size() && !EndsSentence(sentence[at])) {
        if (sentence[at] == ',') {
            if (fieldCount == kMaxFields) break;
            fieldStart[++fieldCount] = static_cast<uint16_t>(at + 1);
        }
        ++at;
    }
    fieldStart[fieldCount + 1] = static_cast<uint16_t>(at + 1);
}

std::string_view NmeaFields::Text(int n) const {
    if (n < 0 || n > fieldCount) return {};
    const size_t start = fieldStart[n];
    return sentence.substr(start, fieldStart[n + 1] - 1 - start);
}

int NmeaFields::LastField() const { return fieldCount; }

std::optional<double> NmeaFields::Number(int n) const {
    const std::optional<double> value = ReadNumber<double>(Text(n));
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

std::optional<int> NmeaFields::Integer(int n) const { return ReadNumber<int>(Text(n)); }

std::optional<int> NmeaFields::IntegerIn(const uint8_t* bytes, int length, int n) {
    if (n < 0 || n > kMaxFields) return std::nullopt;
    const std::string_view sentence = SentenceText(bytes, length);
    size_t at = 0;
    for (int commas = 0; commas < n; ++at) {
        if (at == sentence.size() || EndsSentence(sentence[at])) return std::nullopt;
        if (sentence[at] == ',') ++commas;
    }
    size_t end = at;
    while (end < sentence.size() && sentence[end] != ',' && !EndsSentence(sentence[end])) ++end;
    return ReadNumber<int>(sentence.substr(at, end - at));
}

std::optional<char> NmeaFields::Letter(int n) const {
    for (char c : Text(n)) {
        if (IsBlank(c)) continue;
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
    }
    return std::nullopt;
}

std::optional<NmeaTime> NmeaFields::Time(int n) const {
    const std::optional<double> value = Number(n);
    return value ? ParseNmeaTime(*value) : std::nullopt;
}

std::optional<NmeaDate> NmeaFields::Date(int n) const {
    const std::optional<int> value = Integer(n);
    return value ? ParseNmeaDate(*value) : std::nullopt;
}

std::optional<double> NmeaFields::Latitude(int n) const {
    const std::optional<double> value = Number(n);
    const std::optional<char> hemisphere = Letter(n + 1);
    return value && hemisphere ? ParseNmeaLatitude(*value, *hemisphere) : std::nullopt;
}

std::optional<double> NmeaFields::Longitude(int n) const {
    const std::optional<double> value = Number(n);
    const std::optional<char> hemisphere = Letter(n + 1);
    return value && hemisphere ? ParseNmeaLongitude(*value, *hemisphere) : std::nullopt;
}
