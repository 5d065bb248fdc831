#include "chart_axis.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kMargin = 0.1;
constexpr double kMinimumResolutions = 5;
// Far beyond any screen, well within an int, so that a line to a far-off point keeps its slope.
constexpr double kFarPixel = 1 << 22;

// Near the ends of the doubles a margin would overflow: the extent then stays as it is.
void Widen(ChartAxis& axis, double margin) {
    if (std::isfinite(axis.extentLow - margin)) axis.extentLow -= margin;
    if (std::isfinite(axis.extentHigh + margin)) axis.extentHigh += margin;
}

}  // namespace

int ChartAxis::ToPixel(double v) const {
    const double pixel = v * toPixelScale + toPixelOffset;
    if (std::isnan(pixel)) return pixelLow;
    return static_cast<int>(std::floor(std::clamp(pixel, -kFarPixel, kFarPixel)));
}

double ChartAxis::ToValue(double pixel) const { return pixel * toValueScale + toValueOffset; }

void ChartAxis::SetView(double low, double high) {
    viewLow = std::min(low, high);
    viewHigh = std::max(low, high);
    fit = follow = false;
}

AxisSource IndexAxisSource(size_t epochs) {
    const double count = static_cast<double>(epochs);
    return {epochs > 0, 0, std::max(count, 1.0), std::max(count - 1, 0.0), -2147483648.0, 2147483647.0, 1};
}

void ReEvaluateAxis(ChartAxis& axis, const AxisSource& source) {
    const bool hadData = axis.hasData;
    axis.limitLow = source.limitLow;
    axis.limitHigh = source.limitHigh;
    axis.resolution = source.resolution;
    axis.current = source.current;
    axis.hasData = source.hasData && std::isfinite(source.low) && std::isfinite(source.high);
    if (!axis.hasData) return;
    axis.extentLow = std::min(source.low, source.high);
    axis.extentHigh = std::max(source.low, source.high);
    if (!hadData) {
        axis.viewLow = axis.extentLow;
        axis.viewHigh = axis.extentHigh;
    }
    if (axis.fit) {
        Widen(axis, kMargin * (axis.extentHigh - axis.extentLow));
        axis.viewLow = axis.extentLow;
        axis.viewHigh = axis.extentHigh;
    } else if (axis.follow) {
        const double margin = kMargin * axis.Span();
        Widen(axis, margin);
        if (!std::isfinite(axis.current) || !std::isfinite(margin)) return;
        if (axis.current + margin > axis.viewHigh) {
            const double shift = axis.current + margin - axis.viewHigh;
            axis.viewLow += shift;
            axis.viewHigh += shift;
        } else if (axis.current - margin < axis.viewLow) {
            const double shift = axis.viewLow - (axis.current - margin);
            axis.viewLow -= shift;
            axis.viewHigh -= shift;
        }
    } else {
        Widen(axis, kMargin * (axis.extentHigh - axis.extentLow));
    }
}

void RescaleAxis(ChartAxis& axis) {
    if (!std::isfinite(axis.viewLow) || !std::isfinite(axis.viewHigh)) {
        axis.viewLow = axis.extentLow;
        axis.viewHigh = axis.extentHigh;
    }
    const double limitSpan = axis.limitHigh - axis.limitLow;
    const double centre = axis.viewLow / 2 + axis.viewHigh / 2;
    const double minimumSpan = kMinimumResolutions * axis.resolution;
    // No wider than the limits, so that moving it inside leaves it wholly inside.
    if (axis.Span() > limitSpan) {
        axis.viewLow = centre - limitSpan / 2;
        axis.viewHigh = centre + limitSpan / 2;
    } else if (axis.Span() < minimumSpan) {
        axis.viewLow = centre - minimumSpan / 2;
        axis.viewHigh = centre + minimumSpan / 2;
    }
    if (axis.viewLow < axis.limitLow) {
        axis.viewHigh += axis.limitLow - axis.viewLow;
        axis.viewLow = axis.limitLow;
    }
    if (axis.viewHigh > axis.limitHigh) {
        axis.viewLow -= axis.viewHigh - axis.limitHigh;
        axis.viewHigh = axis.limitHigh;
    }
    const double pixels = axis.pixelHigh - axis.pixelLow;
    const double span = axis.Span();
    if (!(span > 0) || !std::isfinite(span)) {
        axis.toPixelScale = axis.toValueScale = 0;
        axis.toPixelOffset = axis.pixelLow + pixels / 2 + 0.5;
        axis.toValueOffset = centre;
        return;
    }
    const double scale = (axis.vertical ? -pixels : pixels) / span;
    const double start = axis.vertical ? axis.pixelHigh : axis.pixelLow;
    axis.toPixelScale = scale;
    axis.toPixelOffset = start - axis.viewLow * scale + 0.5;
    axis.toValueScale = pixels > 0 ? 1 / scale : 0;
    axis.toValueOffset = axis.viewLow - start * axis.toValueScale;
}

void ZoomAxisIn(ChartAxis& axis, int pressPixel, int releasePixel) {
    const double press = axis.ToValue(pressPixel);
    if (std::abs(releasePixel - pressPixel) > kTapPixels) {
        axis.SetView(press, axis.ToValue(releasePixel));
    } else {
        const double quarter = axis.Span() / 4;
        axis.SetView(press - quarter, press + quarter);
    }
    RescaleAxis(axis);
}

void ZoomAxisOut(ChartAxis& axis, int pressPixel, int releasePixel) {
    const double press = axis.ToValue(pressPixel);
    const double span = axis.Span();
    if (std::abs(releasePixel - pressPixel) > kTapPixels) {
        const double release = axis.ToValue(releasePixel);
        const double half = span / std::abs(release - press) * span * 0.5;
        const double centre = (press + release) / 2;
        axis.SetView(centre - half, centre + half);
    } else {
        axis.SetView(press - span, press + span);
    }
    RescaleAxis(axis);
}

void MoveAxis(ChartAxis& axis, int pressPixel, int releasePixel) {
    const double shift = axis.ToValue(releasePixel) - axis.ToValue(pressPixel);
    axis.SetView(axis.viewLow - shift, axis.viewHigh - shift);
    RescaleAxis(axis);
}

namespace {

// The bar for the range it stands for, as recorded in the axis.
AxisScrollBar BarOverRecordedRange(const ChartAxis& axis) {
    if (!axis.hasData || !(axis.scrollSpan > 0)) return {};
    const double page = std::clamp(axis.Span() / axis.scrollSpan, 0.0, 1.0) * kScrollRange;
    AxisScrollBar bar;
    bar.page = static_cast<int>(std::lround(page));
    bar.maximum = kScrollRange - bar.page;
    const double start = (axis.viewLow - axis.scrollLow) / axis.scrollSpan * kScrollRange;
    bar.position = std::clamp(static_cast<int>(std::lround(start)), 0, bar.maximum);
    if (axis.vertical) bar.position = bar.maximum - bar.position;
    return bar;
}

}  // namespace

AxisScrollBar ScrollBarOf(ChartAxis& axis) {
    if (axis.hasData && !axis.scrollRangeHeld) {
        axis.scrollLow = std::min(axis.extentLow, axis.viewLow);
        axis.scrollSpan = std::max(axis.extentHigh, axis.viewHigh) - axis.scrollLow;
    }
    return BarOverRecordedRange(axis);
}

void ScrollAxisTo(ChartAxis& axis, int position) {
    if (!axis.hasData || !(axis.scrollSpan > 0)) return;
    const AxisScrollBar bar = BarOverRecordedRange(axis);
    const int fromLow = axis.vertical ? bar.maximum - position : position;
    const double low = axis.scrollLow + static_cast<double>(fromLow) / kScrollRange * axis.scrollSpan;
    const double span = axis.Span();
    axis.SetView(low, low + span);
    RescaleAxis(axis);
}
