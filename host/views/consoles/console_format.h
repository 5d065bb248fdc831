#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "host/views/text/text_view_format.h"

// What the consoles make of a message, and their settings as a view state block.
namespace console {

// The character with code 11 stands for a control character of a dump, as it stands for a hidden
// line break in the text views. The text keeps it; the console draws a middle dot in its place,
// since fonts draw code 11 as anything from nothing to a musical note.
inline constexpr char16_t kHiddenControl = text_view::kHiddenBreak;
inline constexpr char16_t kHiddenControlShown = u'\u00B7';

// "0000  A4 51 ...  .Q.." lines of 16 bytes, joined by line feeds; a control character is shown
// as kHiddenControl, every other byte as the character of its code.
std::u16string HexDump(std::span<const uint8_t> bytes);

// "NMEA GPGGA,  Size  72,  'Global Positioning System Fix Data'".
std::u16string PacketLine(std::u16string_view protocol, std::u16string_view name, unsigned length,
                          std::u16string_view description);

inline constexpr size_t kStateSize = 514;
// At most this many characters can be typed; the block keeps one more for the terminator.
inline constexpr size_t kMaxFilterLength = 255;

struct Settings {
    bool paused = false;
    bool filterEnabled = false;
    std::u16string filter;

    bool operator==(const Settings&) const = default;
};

// Paused and filter switch as one byte each, then the filter text as 256 zero-terminated UTF-16
// code units, little-endian.
std::array<uint8_t, kStateSize> EncodeState(const Settings& settings);
// The filter text ends at its terminator, and after kMaxFilterLength characters at the latest.
Settings DecodeState(std::span<const uint8_t, kStateSize> block);

}  // namespace console
