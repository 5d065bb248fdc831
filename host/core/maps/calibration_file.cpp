#include "calibration_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <numbers>
#include <set>

#include "host/core/app/profile_store.h"
#include "host/core/maps/map_texts.h"
#include "host/core/maps/world_file.h"
#include "platform/text.h"

namespace {

constexpr double kRadiansPerDegree = std::numbers::pi / 180;
// Longer values are cut; no number needs as much.
constexpr int kValueBufferSize = 1024;
constexpr size_t kMaxNumberLength = 400;

bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// What "%lf" reads: blanks, then a number; the text is consumed up to its end.
std::optional<double> ScanNumber(std::u16string_view& text) {
    while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
    std::string narrow;
    for (size_t i = 0; i < text.size() && i < kMaxNumberLength && text[i] < 0x80; ++i)
        narrow += static_cast<char>(text[i]);
    // from_chars takes no "+".
    const size_t sign = narrow.starts_with('+') && !narrow.starts_with("+-") ? 1 : 0;
    double value = 0;
    const auto [end, error] = std::from_chars(narrow.data() + sign, narrow.data() + narrow.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    text.remove_prefix(static_cast<size_t>(end - narrow.data()));
    return value;
}

bool ScanComma(std::u16string_view& text) {
    if (!text.starts_with(u',')) return false;
    text.remove_prefix(1);
    return true;
}

std::u16string Utf16(const std::string& text) { return platform::Utf8ToWide(text); }
std::string Utf8(std::u16string_view text) { return platform::WideToUtf8(text); }

std::u16string ReadValue(const char16_t* section, const std::u16string& key, const std::string& path) {
    char16_t buffer[kValueBufferSize];
    const int length = GetProfileText(section, key.c_str(), u"", buffer, kValueBufferSize, path);
    return {buffer, static_cast<size_t>(length)};
}

std::u16string Lowered(std::u16string_view text) {
    std::u16string lower(text);
    for (char16_t& c : lower)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return lower;
}

// The keys of a section, in one read of the file, so that a large count costs no read for each
// missing marker.
std::set<std::u16string> SectionKeys(const char16_t* section, const std::string& path, size_t fileSize) {
    // No file holds more characters than bytes.
    std::u16string buffer(fileSize + 2, u'\0');
    const int length = GetProfileText(section, nullptr, nullptr, buffer.data(), static_cast<int>(buffer.size()), path);
    std::set<std::u16string> keys;
    std::u16string_view list(buffer.data(), static_cast<size_t>(length));
    while (!list.empty()) {
        const size_t end = std::min(list.find(u'\0'), list.size());
        keys.insert(Lowered(list.substr(0, end)));
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return keys;
}

// The file's size, or why it cannot be read.
struct OpenCheck {
    std::optional<std::u16string> failure;
    size_t size = 0;
};

OpenCheck CheckOpen(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return {kCalibrationNotFound};
        if (errno == EACCES || errno == EPERM) return {kCalibrationAccessDenied};
        return {kCalibrationNotLoaded};
    }
    struct stat info {};
    const bool readable = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
                          static_cast<size_t>(info.st_size) <= kMaxCalibrationFileSize;
    ::close(fd);
    if (!readable) return {kCalibrationNotLoaded};
    return {std::nullopt, static_cast<size_t>(info.st_size)};
}

// The profile store takes a name without "/" as one of its own folder.
std::string StorePath(const std::string& path) { return path.find('/') == std::string::npos ? "./" + path : path; }

bool ReadReferences(const std::string& path, MapCalibration& calibration, std::array<MapReference, 3>& references) {
    for (int i = 1; i <= 3; ++i) {
        const std::u16string key = Utf16(std::to_string(i));
        const std::u16string value = ReadValue(u"Reference", key, StorePath(path));
        const std::optional<MapReference> reference = ParseReference(value);
        if (!reference) {
            const std::u16string line =
                value.empty() ? platform::FormatW(kReferenceNotFound, Utf8(key).c_str())
                              : platform::FormatW(kKeyEqualsValue, Utf8(key).c_str(), Utf8(value).c_str());
            calibration.messages.push_back(SyntaxMessage(path, {line}));
            return false;
        }
        references[static_cast<size_t>(i - 1)] = *reference;
        calibration.markers.push_back({reference->position, platform::FormatW(kReferenceName, i)});
    }
    return true;
}

void ReadMarkers(const std::string& path, size_t fileSize, const CMapTransform& transform,
                 MapCalibration& calibration) {
    const std::string store = StorePath(path);
    const int count = GetProfileNumber(u"Marker", u"Count", 0, store);
    std::vector<std::u16string> errors;
    if (count > kMaxMarkers) errors.push_back(platform::FormatW(kMarkerCountCapped, count, kMaxMarkers));
    const int read = std::clamp(count, 0, kMaxMarkers);
    const std::set<std::u16string> keys =
        read > 0 ? SectionKeys(u"Marker", store, fileSize) : std::set<std::u16string>{};
    for (int i = 1; i <= read; ++i) {
        const std::u16string key = Utf16(std::to_string(i));
        const std::u16string value = keys.contains(key) ? ReadValue(u"Marker", key, store) : u"";
        const std::optional<ParsedMarker> marker = ParseMarker(value);
        if (marker)
            calibration.markers.push_back(PlaceMarker(*marker, transform));
        else if (value.empty())
            errors.push_back(platform::FormatW(kMarkerNotFound, Utf8(key).c_str()));
        else
            errors.push_back(platform::FormatW(kKeyEqualsValue, Utf8(key).c_str(), Utf8(value).c_str()));
    }
    if (!errors.empty()) calibration.messages.push_back(SyntaxMessage(path, errors));
}

}  // namespace

std::string CalibrationPath(const std::string& picturePath) {
    const size_t nameStart = picturePath.rfind('/') == std::string::npos ? 0 : picturePath.rfind('/') + 1;
    const size_t dot = picturePath.rfind('.');
    // A name that begins with its only "." (".map") has no extension.
    if (dot == std::string::npos || dot <= nameStart) return picturePath + ".mcf";
    return picturePath.substr(0, dot) + ".mcf";
}

std::optional<MapReference> ParseReference(std::u16string_view value) {
    std::optional<double> numbers[4];
    for (size_t i = 0; i < 4; ++i) {
        if (i > 0 && !ScanComma(value)) return std::nullopt;
        numbers[i] = ScanNumber(value);
        if (!numbers[i]) return std::nullopt;
    }
    return MapReference{{*numbers[0], *numbers[1]}, {*numbers[3] * kRadiansPerDegree, *numbers[2] * kRadiansPerDegree}};
}

std::optional<ParsedMarker> ParseMarker(std::u16string_view value) {
    if (value.empty()) return std::nullopt;
    ParsedMarker marker{value.front(), 0, 0, {}};
    value.remove_prefix(1);
    std::optional<double> first, second;
    if (!ScanComma(value) || !(first = ScanNumber(value)) || !ScanComma(value) || !(second = ScanNumber(value)))
        return std::nullopt;
    marker.first = *first;
    marker.second = *second;
    const size_t open = value.find(u'"');
    const size_t close = open == std::u16string_view::npos ? open : value.find(u'"', open + 1);
    if (close != std::u16string_view::npos) marker.name = value.substr(open + 1, close - open - 1);
    return marker;
}

MapMarker PlaceMarker(const ParsedMarker& marker, const CMapTransform& transform) {
    switch (marker.type) {
        case u'c':
            return {{marker.second * kRadiansPerDegree, marker.first * kRadiansPerDegree}, marker.name};
        case u'i':
            return {transform.ToGeo({std::trunc(marker.first), std::trunc(marker.second)}), marker.name};
        default:
            return {{NAN, NAN}, marker.name};
    }
}

std::u16string SyntaxMessage(const std::string& path, const std::vector<std::u16string>& lines) {
    std::u16string message = platform::FormatW(kSyntaxErrorIn, path.c_str());
    for (size_t i = 0; i < lines.size() && i < kMaxListedSyntaxErrors; ++i) message += u"\n" + lines[i];
    if (lines.size() > kMaxListedSyntaxErrors)
        message +=
            u"\n" + platform::FormatW(kMoreSyntaxErrors, static_cast<int>(lines.size() - kMaxListedSyntaxErrors));
    return message;
}

MapCalibration ReadCalibrationFile(const std::string& path) {
    MapCalibration calibration;
    const OpenCheck check = CheckOpen(path);
    if (check.failure) {
        calibration.messages.push_back(*check.failure);
        return calibration;
    }
    std::array<MapReference, 3> references{};
    if (!ReadReferences(path, calibration, references)) {
        calibration.markers.clear();
        return calibration;
    }
    calibration.transform = CMapTransform::Solve(references);
    if (!calibration.transform) {
        calibration.messages.push_back(kDivisionByZero);
        calibration.markers.clear();
        return calibration;
    }
    ReadMarkers(path, check.size, *calibration.transform, calibration);
    return calibration;
}

MapCalibration LoadMapCalibration(const std::string& picturePath, int width, int height) {
    const std::string mcf = CalibrationPath(picturePath);
    if (::access(mcf.c_str(), F_OK) != 0 && errno == ENOENT)
        for (const std::string& world : WorldFilePaths(picturePath))
            if (::access(world.c_str(), F_OK) == 0) return ReadWorldFileCalibration(world, width, height);
    return ReadCalibrationFile(mcf);
}
