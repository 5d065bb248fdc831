#include "map_geometry.h"

#include <cmath>

#include "host/core/maps/map_texts.h"
#include "platform/text.h"

namespace {

constexpr double kSemiMajorAxis = 6378137.0;
constexpr double kEccentricitySquared = 6.69437999014e-3;

std::string Utf8(const std::u16string& text) { return platform::WideToUtf8(text); }

}  // namespace

GroundOffset GroundOffsetBetween(GeoPosition from, GeoPosition to) {
    const double latitude = (from.latitude + to.latitude) / 2;
    const double s = std::sin(latitude);
    const double w = std::sqrt(1 - kEccentricitySquared * s * s);
    const double meridian = kSemiMajorAxis * (1 - kEccentricitySquared) / (w * w * w);
    const double primeVertical = kSemiMajorAxis / w;
    return {(to.longitude - from.longitude) * primeVertical * std::cos(latitude),
            (to.latitude - from.latitude) * meridian};
}

std::optional<ScaleBar> ScaleBarFor(double metresAcross, int widthPixels) {
    if (!(metresAcross > 0) || !std::isfinite(metresAcross) || widthPixels <= 0) return std::nullopt;
    const double k = std::floor(std::log10(metresAcross));
    const double m = metresAcross / std::pow(10, k);
    double n = std::pow(10, k);
    if (m < 3) n /= 2;
    if (m >= 6) n *= 2;
    const int pixels = static_cast<int>(std::floor(n / metresAcross * widthPixels + 0.5));
    const std::u16string label =
        n >= 1000 ? platform::FormatW(kScaleKilometres, n / 1000) : platform::FormatW(kScaleMetres, n);
    return ScaleBar{pixels, label};
}

double FitZoom(int clientWidth, int clientHeight, int pictureWidth, int pictureHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0) return 1;
    return 0.95 *
           std::min(static_cast<double>(clientWidth) / pictureWidth, static_cast<double>(clientHeight) / pictureHeight);
}

std::u16string TapStatusText(const CMapTransform* calibration, MapPoint at, const MapStatusFormat& format) {
    if (!calibration) return platform::FormatW(kStatusTapNotCalibrated, at.x, at.y);
    const GeoPosition p = calibration->ToGeo({static_cast<double>(at.x), static_cast<double>(at.y)});
    return platform::FormatW(kStatusTap, Utf8(format.longitudeLabel).c_str(),
                             Utf8(format.longitude(p.longitude)).c_str(), Utf8(format.latitudeLabel).c_str(),
                             Utf8(format.latitude(p.latitude)).c_str(), at.x, at.y);
}

std::u16string DragStatusText(const CMapTransform* calibration, MapPoint from, MapPoint to,
                              const MapStatusFormat& format) {
    if (!calibration) return platform::FormatW(kStatusDragNotCalibrated, from.x, to.x, from.y, to.y);
    const GeoPosition a = calibration->ToGeo({static_cast<double>(from.x), static_cast<double>(from.y)});
    const GeoPosition b = calibration->ToGeo({static_cast<double>(to.x), static_cast<double>(to.y)});
    const GroundOffset offset = GroundOffsetBetween(a, b);
    return platform::FormatW(kStatusDrag, Utf8(format.longitudeLabel).c_str(),
                             Utf8(format.longitude(a.longitude)).c_str(), Utf8(format.longitude(b.longitude)).c_str(),
                             Utf8(format.latitudeLabel).c_str(), Utf8(format.latitude(a.latitude)).c_str(),
                             Utf8(format.latitude(b.latitude)).c_str(), offset.east, offset.north,
                             std::hypot(offset.east, offset.north), from.x, to.x, from.y, to.y);
}

std::u16string CalibrationPointText(int number, MapPoint at) {
    return platform::FormatW(kStatusCalibrationPoint, number, at.x, at.y);
}
