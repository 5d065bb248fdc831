#include <array>
#include <cstdint>

#include "plugins/kvb/resources/kvb_resources.h"

namespace {

constexpr int kIconWidth = 8;
constexpr int kIconHeight = 11;
constexpr int kIconCount = 6;
constexpr uint32_t kWhite = 0xFFFFFFFF;

// Signal quality as three bars, from none to the best: grey bars for no signal, then red,
// amber, yellow, light and dark green. Icon 3, the dark green, is the best: code and carrier locked.
// clang-format off
constexpr const char* kQualityArt[kIconHeight] = {
    "................................................",
    "......gg......gg......gg......GG......yy......ll",
    "......gg......gg......gg......GG......yy......ll",
    "......gg......gg......gg......GG......yy......ll",
    "...gg.gg...gg.gg...aa.gg...GG.GG...yy.yy...ll.ll",
    "...gg.gg...gg.gg...aa.gg...GG.GG...yy.yy...ll.ll",
    "...gg.gg...gg.gg...aa.gg...GG.GG...yy.yy...ll.ll",
    "gg.gg.ggrr.gg.ggaa.aa.ggGG.GG.GGyy.yy.yyll.ll.ll",
    "gg.gg.ggrr.gg.ggaa.aa.ggGG.GG.GGyy.yy.yyll.ll.ll",
    "gg.gg.ggrr.gg.ggaa.aa.ggGG.GG.GGyy.yy.yyll.ll.ll",
    "gg.gg.ggrr.gg.ggaa.aa.ggGG.GG.GGyy.yy.yyll.ll.ll",
};
// clang-format on

constexpr uint32_t Colour(char c) {
    switch (c) {
        case 'g':
            return 0xFFC4C4C4;
        case 'r':
            return 0xFFD03030;
        case 'a':
            return 0xFFE89020;
        case 'y':
            return 0xFFD0C020;
        case 'l':
            return 0xFF78C850;
        case 'G':
            return 0xFF208038;
        default:
            return kWhite;
    }
}

constexpr auto Pixels(const char* const (&art)[kIconHeight]) {
    std::array<uint32_t, kIconWidth * kIconCount * kIconHeight> pixels{};
    size_t at = 0;
    for (const char* row : art)
        for (int x = 0; x < kIconWidth * kIconCount; ++x) pixels[at++] = Colour(row[x]);
    return pixels;
}

constexpr auto kQualityPixels = Pixels(kQualityArt);

constexpr BitmapResource kBitmaps[] = {
    {kvb_res::kQualityIcons, kIconWidth, kIconHeight, kIconCount, kQualityPixels.data(), kWhite},
};

}  // namespace

const std::span<const BitmapResource> kKvbBitmaps = kBitmaps;
