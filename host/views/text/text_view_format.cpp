#include "text_view_format.h"

#include <ctime>

#include "platform/text.h"
#include "resources/veltro/strings.h"

namespace text_view {

namespace {

// Every carriage return is hidden; each line feed becomes lineFeed.
std::u16string Convert(std::u16string_view text, std::u16string_view lineFeed) {
    std::u16string result;
    result.reserve(text.size() + 2);
    for (const char16_t c : text) {
        if (c == u'\r')
            result += kHiddenBreak;
        else if (c == u'\n')
            result += lineFeed;
        else
            result += c;
    }
    return result;
}

}  // namespace

std::u16string Line(std::u16string_view text) {
    return Convert(text, std::u16string_view(&kHiddenBreak, 1)) + u'\n';
}

std::u16string Block(std::u16string_view text) {
    return Convert(text, std::u16string(u"\n") + std::u16string(kBlockIndent)) + u'\n';
}

std::u16string Plain(std::u16string_view text) { return Convert(text, u"\n"); }

std::u16string TimeStamp(int64_t utcSeconds) {
    if (utcSeconds < 0) return kStampNoTime.text;
    const std::time_t seconds = static_cast<std::time_t>(utcSeconds);
    std::tm utc{};
    if (!gmtime_r(&seconds, &utc)) return kStampNoTime.text;
    char buffer[64];
    const std::string format = platform::WideToUtf8(kStampTimeFormat.text);
    const size_t length = std::strftime(buffer, sizeof buffer, format.c_str(), &utc);
    return platform::Utf8ToWide(std::string_view(buffer, length));
}

std::u16string Stamped(int64_t utcSeconds, std::u16string_view text) {
    return TimeStamp(utcSeconds) + u"  " + std::u16string(text);
}

}  // namespace text_view

FollowDecision DecideFollow(const FollowState& state) {
    if (!state.selecting && state.caretAtEnd)
        return {true, !(state.recentlyScrolled && state.sinceInteraction < kInteractionWindowMs)};
    return {false, !state.selecting && state.sinceInteraction > kInteractionWindowMs};
}

int EditFontTenths(int verticalDpi) {
    if (verticalDpi <= 0) return 84;
    return (8064 + verticalDpi / 2) / verticalDpi;
}
