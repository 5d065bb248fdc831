#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// The map view's settings as its 600-byte state block: the picture, the section shown and the
// switches. A path that does not fit leaves the view without a block to keep.
struct MapViewSettings {
    std::u16string picturePath;
    double zoom = 1;
    // The picture pixel at the centre of the view.
    double centreX = 0;
    double centreY = 0;
    bool follow = true;
    bool secondPosition = false;
    bool showTrack = true;
    bool showMarkers = true;
};

inline constexpr size_t kMapViewStateSize = 600;
inline constexpr size_t kMapStatePathCharacters = 260;
inline constexpr double kMinMapZoom = 1.0 / 64;
inline constexpr double kMaxMapZoom = 64;

// Nothing when the path is empty or has kMapStatePathCharacters or more characters.
std::optional<std::vector<uint8_t>> EncodeMapViewState(const MapViewSettings& settings);
// Nothing for a block of another size, without a terminated path, or with a zoom outside the
// view's range or centre that is not a number.
std::optional<MapViewSettings> DecodeMapViewState(std::span<const uint8_t> block);

// The open dialog's filters, as description and patterns: all map files, each type, all files.
struct MapFileFilter {
    std::u16string description;
    std::u16string patterns;
};
std::vector<MapFileFilter> MapFileFilters();
