#include "console_format.h"

#include "platform/text.h"

namespace console {

namespace {

constexpr size_t kBytesPerLine = 16;

// The character of a byte's code is a control character below 0x20 and from 0x7F to 0x9F.
char16_t Shown(uint8_t byte) { return byte < 0x20 || (byte >= 0x7F && byte <= 0x9F) ? kHiddenControl : byte; }

void AppendHex(std::u16string& text, unsigned value, int digits) {
    static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) text += kDigits[(value >> shift) & 0xF];
}

void AppendCharacters(std::u16string& text, std::span<const uint8_t> line) {
    text += u' ';
    for (const uint8_t byte : line) text += Shown(byte);
}

}  // namespace

std::u16string HexDump(std::span<const uint8_t> bytes) {
    std::u16string text;
    for (size_t lineStart = 0; lineStart < bytes.size(); lineStart += kBytesPerLine) {
        const std::span<const uint8_t> line = bytes.subspan(lineStart, std::min(kBytesPerLine, bytes.size() - lineStart));
        if (lineStart > 0) text += u'\n';
        AppendHex(text, static_cast<unsigned>(lineStart), 4);
        text += u"  ";
        for (const uint8_t byte : line) {
            AppendHex(text, byte, 2);
            text += u' ';
        }
        text.append((kBytesPerLine - line.size()) * 3, u' ');
        AppendCharacters(text, line);
    }
    return text;
}

std::u16string PacketLine(std::u16string_view protocol, std::u16string_view name, unsigned length,
                          std::u16string_view description) {
    return platform::FormatW(u"%s %s,  Size % 3u,  '%s'", platform::WideToUtf8(protocol).c_str(),
                             platform::WideToUtf8(name).c_str(), length, platform::WideToUtf8(description).c_str());
}

std::array<uint8_t, kStateSize> EncodeState(const Settings& settings) {
    std::array<uint8_t, kStateSize> block{};
    block[0] = settings.paused ? 1 : 0;
    block[1] = settings.filterEnabled ? 1 : 0;
    const size_t length = std::min(settings.filter.size(), kMaxFilterLength);
    for (size_t i = 0; i < length; ++i) {
        block[2 + 2 * i] = static_cast<uint8_t>(settings.filter[i]);
        block[3 + 2 * i] = static_cast<uint8_t>(settings.filter[i] >> 8);
    }
    return block;
}

Settings DecodeState(std::span<const uint8_t, kStateSize> block) {
    Settings settings{block[0] != 0, block[1] != 0, {}};
    for (size_t i = 0; i < kMaxFilterLength; ++i) {
        const char16_t unit = static_cast<char16_t>(block[2 + 2 * i] | block[3 + 2 * i] << 8);
        if (unit == 0) break;
        settings.filter += unit;
    }
    return settings;
}

}  // namespace console
