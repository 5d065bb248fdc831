#include "world_file.h"

#include <charconv>
#include <cmath>
#include <numbers>

#include "host/core/maps/map_texts.h"
#include "platform/file_contents.h"
#include "platform/text.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// The pixels of the three references; any three corners of a square do.
constexpr double kReferenceSpan = 1024;

std::string_view Trimmed(std::string_view line) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    return line;
}

std::optional<double> WholeNumber(std::string_view text) {
    if (text.starts_with('+')) text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

GeoPosition Degrees(const WorldFile& w, double col, double row) {
    return {w.d * col + w.e * row + w.f, w.a * col + w.b * row + w.c};
}

}  // namespace

WorldFileParse ParseWorldFile(std::string_view text) {
    double values[6];
    for (int line = 0; line < 6; ++line) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view trimmed = Trimmed(text.substr(0, end));
        const std::optional<double> value = WholeNumber(trimmed);
        if (!value) return {std::nullopt, line + 1, std::string(trimmed)};
        values[line] = *value;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return {WorldFile{values[0], values[1], values[2], values[3], values[4], values[5]}, 0, {}};
}

std::vector<std::string> WorldFilePaths(const std::string& picturePath) {
    const size_t nameStart = picturePath.rfind('/') == std::string::npos ? 0 : picturePath.rfind('/') + 1;
    const size_t dot = picturePath.rfind('.');
    if (dot == std::string::npos || dot <= nameStart) return {picturePath + ".wld"};
    const std::string stem = picturePath.substr(0, dot);
    const std::string extension = picturePath.substr(dot + 1);
    std::vector<std::string> paths;
    if (extension.size() >= 2) paths.push_back(stem + "." + extension.front() + extension.back() + "w");
    paths.push_back(stem + ".wld");
    return paths;
}

std::array<MapReference, 3> WorldFileReferences(const WorldFile& world) {
    std::array<MapReference, 3> references{};
    const MapPixel pixels[3] = {{0, 0}, {kReferenceSpan, 0}, {0, kReferenceSpan}};
    for (size_t i = 0; i < 3; ++i) {
        const GeoPosition degrees = Degrees(world, pixels[i].x, pixels[i].y);
        references[i] = {pixels[i], {degrees.latitude * kRadiansPerDegree, degrees.longitude * kRadiansPerDegree}};
    }
    return references;
}

bool IsInDegrees(const WorldFile& world, int width, int height) {
    // Half a pixel beyond the poles for the centre of the edge pixels; a map may run on across
    // the date line.
    for (const double col : {-0.5, width - 0.5})
        for (const double row : {-0.5, height - 0.5}) {
            const GeoPosition corner = Degrees(world, col, row);
            if (!(std::abs(corner.latitude) <= 90.5 && std::abs(corner.longitude) <= 360)) return false;
        }
    return true;
}

MapCalibration ReadWorldFileCalibration(const std::string& path, int width, int height) {
    MapCalibration calibration;
    std::string text, reason;
    if (platform::ReadFileContents(path, kMaxWorldFileSize, text, reason) != platform::ReadResult::Read) {
        calibration.messages.push_back(kCalibrationNotLoaded);
        return calibration;
    }
    const WorldFileParse parse = ParseWorldFile(text);
    if (!parse.file) {
        calibration.messages.push_back(
            platform::FormatW(kWorldFileSyntax, path.c_str(), parse.badLine, parse.badText.c_str()));
        return calibration;
    }
    if (!IsInDegrees(*parse.file, width, height)) {
        calibration.messages.push_back(platform::FormatW(kWorldFileNotDegrees, path.c_str()));
        return calibration;
    }
    calibration.transform = CMapTransform::Solve(WorldFileReferences(*parse.file));
    if (!calibration.transform) calibration.messages.push_back(kDivisionByZero);
    return calibration;
}
