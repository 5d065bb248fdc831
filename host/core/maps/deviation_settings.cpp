#include "deviation_settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

#include "platform/profile.h"
#include "platform/text.h"

namespace {

constexpr char16_t kSection[] = u"View\\Deviation";
constexpr char16_t kMaxDeviationKey[] = u"Max Deviation";
constexpr char16_t kModeKey[] = u"Ref Point Mode";
constexpr char16_t kLatitudeKey[] = u"Reference Lat";
constexpr char16_t kLongitudeKey[] = u"Reference Lon";
// Metres per radian.
constexpr double kEarthRadius = 6371000.0;

double ReadDouble(const platform::CProfile& profile, const char16_t* key) {
    std::vector<uint8_t> bytes;
    double value = 0;
    if (profile.GetBinary(kSection, key, bytes) && bytes.size() == sizeof value)
        std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

void WriteDouble(platform::CProfile& profile, const char16_t* key, double value) {
    std::vector<uint8_t> bytes(sizeof value);
    std::memcpy(bytes.data(), &value, sizeof value);
    profile.WriteBinary(kSection, key, bytes);
}

double Pick(double wanted, double kept) { return std::isnan(wanted) ? kept : wanted; }

}  // namespace

double UsableMaxDeviation(double maxDeviation) {
    return maxDeviation >= kMinMaxDeviation && std::isfinite(maxDeviation) ? maxDeviation : kDefaultMaxDeviation;
}

DeviationSettings Usable(DeviationSettings settings) {
    settings.maxDeviation = UsableMaxDeviation(settings.maxDeviation);
    if (settings.mode < DeviationSettings::kAveragePoint || settings.mode > DeviationSettings::kFixPoint)
        settings.mode = DeviationSettings::kAveragePoint;
    return settings;
}

DeviationSettings LoadDeviationSettings(const platform::CProfile& profile) {
    DeviationSettings settings;
    settings.maxDeviation = profile.GetInt(kSection, kMaxDeviationKey, static_cast<int>(kDefaultMaxDeviation));
    settings.mode = profile.GetInt(kSection, kModeKey, DeviationSettings::kAveragePoint);
    settings.referenceLatitude = ReadDouble(profile, kLatitudeKey);
    settings.referenceLongitude = ReadDouble(profile, kLongitudeKey);
    return Usable(settings);
}

void SaveDeviationSettings(platform::CProfile& profile, const DeviationSettings& settings) {
    profile.WriteInt(kSection, kModeKey, settings.mode);
    WriteDouble(profile, kLatitudeKey, settings.referenceLatitude);
    WriteDouble(profile, kLongitudeKey, settings.referenceLongitude);
    // Less than a metre is kept as one: 0 would read back as the default.
    const double metres = std::max(1.0, std::trunc(UsableMaxDeviation(settings.maxDeviation)));
    profile.WriteInt(kSection, kMaxDeviationKey, metres < 1e9 ? static_cast<int>(metres) : 1000000000);
}

GeoPosition UpdatedReference(const DeviationSettings& settings, GeoPosition average, GeoPosition current) {
    const GeoPosition kept{settings.referenceLatitude, settings.referenceLongitude};
    const GeoPosition* source = settings.mode == DeviationSettings::kAveragePoint   ? &average
                                : settings.mode == DeviationSettings::kCurrentPoint ? &current
                                                                                    : &kept;
    return {Pick(source->latitude, kept.latitude), Pick(source->longitude, kept.longitude)};
}

DeviationPlot DeviationPlotOf(int width, int height, int margin, const DeviationSettings& settings) {
    const double halfSize = std::max(0, std::min(width, height) / 2 - margin);
    return {{width / 2.0, height / 2.0},
            halfSize,
            halfSize / UsableMaxDeviation(settings.maxDeviation),
            {settings.referenceLatitude, settings.referenceLongitude}};
}

GroundOffset DeviationOffset(GeoPosition reference, GeoPosition position) {
    return {(position.longitude - reference.longitude) * std::cos(reference.latitude) * kEarthRadius,
            (position.latitude - reference.latitude) * kEarthRadius};
}

MapPixel PlotPixel(const DeviationPlot& plot, double east, double north) {
    return {plot.centre.x + east * plot.pixelsPerMetre, plot.centre.y - north * plot.pixelsPerMetre};
}

std::optional<MapPixel> PlotPoint(const DeviationPlot& plot, GeoPosition position) {
    if (std::isnan(position.latitude) || std::isnan(position.longitude)) return std::nullopt;
    const GroundOffset offset = DeviationOffset(plot.reference, position);
    const MapPixel pixel = PlotPixel(plot, offset.east, offset.north);
    if (!(std::abs(pixel.x - plot.centre.x) <= plot.halfSize && std::abs(pixel.y - plot.centre.y) <= plot.halfSize))
        return std::nullopt;
    return pixel;
}

double RingStep(double maxDeviation) {
    const double wanted = UsableMaxDeviation(maxDeviation) / 5;
    const double decade = std::pow(10, std::floor(std::log10(wanted)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * decade >= wanted * (1 - 1e-9)) return factor * decade;
    return 10 * decade;
}

std::u16string RingLabel(double distance, double step) {
    return platform::FormatW(step != std::floor(step) ? u"%.1fm" : u"%.0fm", distance);
}

std::optional<double> DialogNumber(std::u16string_view text) {
    std::string narrow;
    for (const char16_t c : text) {
        if (c >= 0x80) return std::nullopt;
        if (c != u' ') narrow += static_cast<char>(c);
    }
    if (narrow.starts_with('+')) narrow.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(narrow.data(), narrow.data() + narrow.size(), value);
    if (narrow.empty() || error != std::errc() || end != narrow.data() + narrow.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}
