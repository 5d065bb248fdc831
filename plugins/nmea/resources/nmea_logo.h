#pragma once
#include <array>
#include <cstdint>
#include <string_view>

#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "shared/dialog_template.h"

// The picture of the protocol information page: a globe with its grid, and a satellite that sends
// to it. Drawn for this program; one character a pixel, its colour from the key below.
namespace nmea_logo {

inline constexpr int kSize = 32;
inline constexpr uint32_t kTransparent = 0xFFFF00FF;

struct Colour {
    char key;
    uint32_t argb;
};

inline constexpr Colour kColours[] = {
    {'b', 0xFF1F3F7F},  // the globe's rim
    {'o', 0xFF3F7FCF},  // sea
    {'w', 0xFFE8F0FF},  // grid
    {'s', 0xFFA0A0A8},  // the satellite's body
    {'k', 0xFF202020},  // its antenna
    {'y', 0xFFE0B020},  // its solar panels
    {'r', 0xFFD03030},  // its signal
};

// clang-format off
inline constexpr std::string_view kRows[kSize] = {
    "................................",
    "................................",
    ".........................sssss..",
    "....................yyyyysssssyy",
    "....................yyyyysskssyy",
    "....................yyyyysssssyy",
    ".........................sssss..",
    ".........................r......",
    ".........bbbbbbb........r.......",
    ".......bbboowoobbb..............",
    ".....bbowooowooowobb..r.........",
    "....bbowoooowoooowobb...........",
    "...bboowoooowoooowoobb..........",
    "...bwwwwwwwwwwwwwwwwwb..........",
    "..booowooooowooooowooob.........",
    "..booowooooowooooowooob.........",
    ".bboowoooooowoooooowoobb........",
    ".booowoooooowoooooowooob........",
    ".booowoooooowoooooowooob........",
    ".bwwwwwwwwwwwwwwwwwwwwwb........",
    ".booowoooooowoooooowooob........",
    ".booowoooooowoooooowooob........",
    ".bboowoooooowoooooowoobb........",
    "..booowooooowooooowooob.........",
    "..booowooooowooooowooob.........",
    "...bwwwwwwwwwwwwwwwwwb..........",
    "...bboowoooowoooowoobb..........",
    "....bbowoooowoooowobb...........",
    ".....bbowooowooowobb............",
    ".......bbboowoobbb..............",
    ".........bbbbbbb................",
    "................................",
};
// clang-format on

constexpr uint32_t ColourOf(char key) {
    for (const Colour& colour : kColours)
        if (colour.key == key) return colour.argb;
    return kTransparent;
}

constexpr std::array<uint32_t, kSize * kSize> Pixels() {
    std::array<uint32_t, kSize * kSize> pixels{};
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const std::string_view row = kRows[y];
            pixels[static_cast<size_t>(y * kSize + x)] = ColourOf(x < static_cast<int>(row.size()) ? row[x] : '.');
        }
    return pixels;
}

inline constexpr std::array<uint32_t, kSize* kSize> kPixels = Pixels();

}  // namespace nmea_logo

namespace nmea_page {
inline constexpr BitmapResource kLogoBitmap{kLogo, nmea_logo::kSize,          nmea_logo::kSize,
                                            1,     nmea_logo::kPixels.data(), nmea_logo::kTransparent};
}  // namespace nmea_page
