#include "plugins/nmea/pages/nmea_page_text.h"

#include <cctype>

#include "platform/text.h"

namespace {
constexpr int kFirstSbasNumber = 33;
constexpr int kLastSbasNumber = 64;
constexpr int kSbasOffset = 87;
constexpr size_t kChecksumLength = 3;
}  // namespace

std::u16string ShownText(std::string_view ansi) { return platform::AnsiToWide(ansi); }

std::u16string SatelliteText(int nmeaNumber) {
    if (nmeaNumber >= kFirstSbasNumber && nmeaNumber <= kLastSbasNumber)
        return platform::FormatW(u"%d(=%d)", nmeaNumber, nmeaNumber + kSbasOffset);
    return platform::FormatW(u"%d", nmeaNumber);
}

NmeaSentenceBody SentenceBody(const uint8_t* bytes, int length) {
    std::string_view text(reinterpret_cast<const char*>(bytes), bytes && length > 0 ? static_cast<size_t>(length) : 0);
    if (text.starts_with('$')) text.remove_prefix(1);
    if (text.ends_with('\n')) text.remove_suffix(1);
    if (text.ends_with('\r')) text.remove_suffix(1);
    const size_t star = text.size() >= kChecksumLength ? text.size() - kChecksumLength : std::string_view::npos;
    const bool hasChecksum = star != std::string_view::npos && text[star] == '*' &&
                             std::isxdigit(static_cast<unsigned char>(text[star + 1])) &&
                             std::isxdigit(static_cast<unsigned char>(text[star + 2]));
    if (hasChecksum) text.remove_suffix(kChecksumLength);
    return {text, hasChecksum};
}

std::string_view TextAfterComma(std::string_view text, int n) {
    size_t at = 0;
    for (int comma = 0; comma < n; ++comma) {
        const size_t found = text.find(',', at);
        if (found == std::string_view::npos) return {};
        at = found + 1;
    }
    return text.substr(at);
}
