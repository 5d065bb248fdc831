#include "sky_plot_geometry.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kHalfPi = 3.1415926535898 / 2;
constexpr int kDesignDpi = 96;
}  // namespace

SkyPlotFrame SkyPlotFrameOf(int width, int height) {
    const int half = std::min(width, height) / 2;
    const int margin = std::max(half / 10, 8);
    return {QPoint(width / 2, height / 2), std::max(half - margin, 0)};
}

int ScaleToDpi(int value, int dpi) {
    const int magnitude = (std::abs(value) * dpi + kDesignDpi / 2) / kDesignDpi;
    return value < 0 ? -magnitude : magnitude;
}

SkySymbolSize SkySymbolSizeOf(int plotRadius, int dpi) {
    const int circle = std::clamp(plotRadius / 10, 10, 20);
    const int panel = std::clamp(plotRadius / 7, 13, 26);
    return {ScaleToDpi(circle, dpi), ScaleToDpi(panel, dpi), circle};
}

SkySymbolSize SymbolAround(const SkySymbolSize& base, QSize label) {
    const int fitting = static_cast<int>(std::ceil(std::hypot(label.width(), label.height()) / 2)) + 1;
    const int circle = std::max(base.circleRadius, fitting);
    return {circle, base.panelSpan * circle / std::max(base.circleRadius, 1), base.labelPoints};
}

int PanelHalfHeight(int panelSpan) { return static_cast<int>(0.9 * panelSpan); }

QPoint SkyPoint(const SkyPlotFrame& frame, double elevation, double azimuth) {
    const double distance = frame.radius * (1 - std::min(elevation, kHalfPi) / kHalfPi);
    return QPoint(static_cast<int>(frame.centre.x() + distance * std::sin(azimuth)),
                  static_cast<int>(frame.centre.y() - distance * std::cos(azimuth)));
}
