#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/maps/calibration_file.h"

// The six-line affine form that GIS tools write beside an exported picture, in WGS 84 degrees:
// lon = A·col + B·row + C and lat = D·col + E·row + F, for the centre of pixel (col, row). The
// lines, in order: A, D, B, E, C, F.
struct WorldFile {
    double a, d, b, e, c, f;
};

inline constexpr size_t kMaxWorldFileSize = 4096;

struct WorldFileParse {
    std::optional<WorldFile> file;
    // The first line that is not a number (1 to 6) and its text, when file is empty.
    int badLine = 0;
    std::string badText;
};
WorldFileParse ParseWorldFile(std::string_view text);

// Where a picture's world file may lie: the extension's first and last letters and "w" (".pgw",
// ".jgw", ".gfw", ".bfw"), then ".wld".
std::vector<std::string> WorldFilePaths(const std::string& picturePath);

// Three references that tie the picture as the world file does.
std::array<MapReference, 3> WorldFileReferences(const WorldFile& world);

// The picture of width × height pixels lies within the earth's degrees.
bool IsInDegrees(const WorldFile& world, int width, int height);

// The calibration from a world file; it has no markers.
MapCalibration ReadWorldFileCalibration(const std::string& path, int width, int height);
