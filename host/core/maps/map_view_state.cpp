#include "map_view_state.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "host/core/maps/map_texts.h"
#include "platform/text.h"

namespace {

struct StateBlock {
    char16_t path[kMapStatePathCharacters];
    double zoom;
    double centreX;
    double centreY;
    int32_t follow;
    int32_t secondPosition;
    int32_t showTrack;
    int32_t showMarkers;
    // Room for what later versions keep, so that the block's size stays.
    uint8_t reserved[40];
};
static_assert(sizeof(StateBlock) == kMapViewStateSize);

struct MapType {
    const char16_t* name;
    const char16_t* patterns;
};
constexpr MapType kMapTypes[] = {
    {u"Portable Network Graphics", u"*.png"},
    {u"JPEG File Interchange Format", u"*.jpg;*.jpeg"},
    {u"Graphics Interchange Format", u"*.gif"},
    {u"Windows Bitmap", u"*.bmp"},
};
constexpr char16_t kAllFiles[] = u"All Files (*.*)";

}  // namespace

std::optional<std::vector<uint8_t>> EncodeMapViewState(const MapViewSettings& settings) {
    if (settings.picturePath.empty() || settings.picturePath.size() >= kMapStatePathCharacters) return std::nullopt;
    StateBlock block{};
    std::copy(settings.picturePath.begin(), settings.picturePath.end(), block.path);
    block.zoom = settings.zoom;
    block.centreX = settings.centreX;
    block.centreY = settings.centreY;
    block.follow = settings.follow;
    block.secondPosition = settings.secondPosition;
    block.showTrack = settings.showTrack;
    block.showMarkers = settings.showMarkers;
    std::vector<uint8_t> bytes(sizeof block);
    std::memcpy(bytes.data(), &block, sizeof block);
    return bytes;
}

std::optional<MapViewSettings> DecodeMapViewState(std::span<const uint8_t> bytes) {
    if (bytes.size() != sizeof(StateBlock)) return std::nullopt;
    StateBlock block;
    std::memcpy(&block, bytes.data(), sizeof block);
    const char16_t* end = std::find(std::cbegin(block.path), std::cend(block.path), u'\0');
    if (end == std::cend(block.path) || end == block.path) return std::nullopt;
    if (!(block.zoom >= kMinMapZoom && block.zoom <= kMaxMapZoom) || !std::isfinite(block.centreX) ||
        !std::isfinite(block.centreY))
        return std::nullopt;
    MapViewSettings settings;
    settings.picturePath.assign(static_cast<const char16_t*>(block.path), end);
    settings.zoom = block.zoom;
    settings.centreX = block.centreX;
    settings.centreY = block.centreY;
    settings.follow = block.follow != 0;
    settings.secondPosition = block.secondPosition != 0;
    settings.showTrack = block.showTrack != 0;
    settings.showMarkers = block.showMarkers != 0;
    return settings;
}

std::vector<MapFileFilter> MapFileFilters() {
    std::u16string all;
    for (const MapType& type : kMapTypes) (all += all.empty() ? u"" : u";") += type.patterns;
    std::vector<MapFileFilter> filters{{platform::FormatW(kMapFilesFilter, platform::WideToUtf8(all).c_str()), all}};
    for (const MapType& type : kMapTypes)
        filters.push_back({platform::FormatW(kMapTypeFilter, platform::WideToUtf8(type.name).c_str(),
                                             platform::WideToUtf8(type.patterns).c_str()),
                           type.patterns});
    filters.push_back({kAllFiles, u"*.*"});
    return filters;
}
