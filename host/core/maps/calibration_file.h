#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/maps/map_transform.h"

// A named point of the map: a reference or a marker of the calibration file. A marker of a type
// other than c and i has no defined place: its position is NaN and it is not drawn.
struct MapMarker {
    GeoPosition position;
    std::u16string name;
};

// What a calibration tells about a picture, and what went wrong on the way: each message is one
// message box.
struct MapCalibration {
    std::optional<CMapTransform> transform;
    // The references first ("Reference 1" to "Reference 3"), then the markers in key order.
    std::vector<MapMarker> markers;
    std::vector<std::u16string> messages;
};

// A calibration file is written by hand or by a tool, and is trusted for nothing. Each marker's
// value is one read of the file through the profile store, so the file's size is bounded too.
inline constexpr size_t kMaxCalibrationFileSize = 64 * 1024;
inline constexpr int kMaxMarkers = 2000;
// A message lists at most this many bad lines, and counts the rest.
inline constexpr size_t kMaxListedSyntaxErrors = 10;

// The picture's path with its extension, taken only after the last "/", replaced by ".mcf".
std::string CalibrationPath(const std::string& picturePath);

// The ".mcf" file: sections "Reference" (keys 1 to 3) and "Marker" ("Count", keys 1 to Count),
// read through the profile store.
MapCalibration ReadCalibrationFile(const std::string& path);

// The calibration of a picture: its ".mcf" file, or, when there is none, a world file of the
// picture (world_file.h); without either, the ".mcf" file's message that it was not found.
MapCalibration LoadMapCalibration(const std::string& picturePath, int width, int height);

// "x,y,lon,lat" in degrees (as "%lf,%lf,%lf,%lf" reads it, numbers may have blanks before them,
// text after the fourth number is ignored); finite numbers only. The position in radians.
std::optional<MapReference> ParseReference(std::u16string_view value);

// "t,n1,n2" and an optional name in double quotes anywhere after the numbers.
struct ParsedMarker {
    char16_t type;
    double first;
    double second;
    std::u16string name;
};
std::optional<ParsedMarker> ParseMarker(std::u16string_view value);
// Type c: longitude and latitude in degrees; type i: picture pixel x and y, truncated to whole
// pixels, through the calibration.
MapMarker PlaceMarker(const ParsedMarker& marker, const CMapTransform& transform);

// The syntax message of a file: its first line, then the bad lines, at most
// kMaxListedSyntaxErrors of them.
std::u16string SyntaxMessage(const std::string& path, const std::vector<std::u16string>& lines);
