#pragma once
#include <cstddef>
#include <cstdint>
#include <limits>

// One axis of a chart: the range shown, the data it holds, the value's limits and resolution,
// where it lies on the screen and how values and pixels convert. X runs left to right, Y bottom
// to top (vertical).
struct ChartAxis {
    double viewLow = 0;
    double viewHigh = 1;
    double extentLow = 0;
    double extentHigh = 1;
    double current = std::numeric_limits<double>::quiet_NaN();
    double limitLow = -2147483648.0;
    double limitHigh = 2147483647.0;
    double resolution = 1;
    int pixelLow = 0;
    int pixelHigh = 0;
    bool follow = false;
    bool fit = false;
    bool deviation = false;
    bool hasData = false;
    bool scrollRangeHeld = false;
    bool useValue = false;
    uint16_t valueId = 0;
    double toPixelScale = 0;
    double toPixelOffset = 0;
    double toValueScale = 0;
    double toValueOffset = 0;
    bool vertical = false;
    // The range in values that the scroll bar stands for, as last shown.
    double scrollLow = 0;
    double scrollSpan = 0;

    double Span() const { return viewHigh - viewLow; }
    // Far-off values are held a long way outside the screen, never beyond what a pixel holds.
    int ToPixel(double v) const;
    double ToValue(double pixel) const;
    // Moves the view to [low, high] in the order given or the other, ends fit and follow.
    void SetView(double low, double high);
};

// What an axis reads of its value, or of the epoch index, when it is re-evaluated.
struct AxisSource {
    bool hasData = false;
    double low = 0;
    double high = 0;
    double current = std::numeric_limits<double>::quiet_NaN();
    double limitLow = 0;
    double limitHigh = 0;
    double resolution = 0;
};

// The epoch index of a history holding epochs: 0 to epochs (at least 1), the newest the current;
// no data before the first epoch.
AxisSource IndexAxisSource(size_t epochs);

// Takes the source's data; the view follows fit, follow or keeps its range (all data with a
// margin of a tenth of the span each side). Data that are not finite are no data.
void ReEvaluateAxis(ChartAxis& axis, const AxisSource& source);
// Keeps the view no wider than the limits and at least five resolutions wide, moves it inside the
// limits, and sets the conversion to the axis's pixels.
void RescaleAxis(ChartAxis& axis);

// The stylus along one axis, from the press to the release pixel; each ends fit and follow and
// rescales. A stroke of 3 pixels or less is a tap.
void ZoomAxisIn(ChartAxis& axis, int pressPixel, int releasePixel);
void ZoomAxisOut(ChartAxis& axis, int pressPixel, int releasePixel);
void MoveAxis(ChartAxis& axis, int pressPixel, int releasePixel);
inline constexpr int kTapPixels = 3;

// A scroll bar of 0 … kScrollRange: its position's maximum, its page, its position. The vertical
// bar counts from the top, so its position is inverted. Without data the page is everything.
inline constexpr int kScrollRange = 32767;
struct AxisScrollBar {
    int maximum = 0;
    int page = kScrollRange;
    int position = 0;
};
// Also records the range the bar stands for in the axis, unless the range is held.
AxisScrollBar ScrollBarOf(ChartAxis& axis);
// The bar moved to position: the view pans there, its span unchanged.
void ScrollAxisTo(ChartAxis& axis, int position);
