#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "host/core/maps/map_geometry.h"

namespace platform {
class CProfile;
}

// The deviation map's reference and scale: its 32-byte state block, kept in "View\\Deviation".
struct DeviationSettings {
    enum Mode : int32_t { kAveragePoint = 0, kCurrentPoint = 1, kFixPoint = 2 };

    // Radians.
    double referenceLatitude = 0;
    double referenceLongitude = 0;
    // Metres that half the plot stands for.
    double maxDeviation = 50;
    int32_t mode = kAveragePoint;
};
static_assert(sizeof(DeviationSettings) == 32);

inline constexpr double kDefaultMaxDeviation = 50;
// Below a millimetre the plot's arithmetic loses its meaning.
inline constexpr double kMinMaxDeviation = 0.001;

// A scale that is not a positive number would divide the plot by zero: it reads as the default,
// as does one below kMinMaxDeviation.
double UsableMaxDeviation(double maxDeviation);
// The settings with a usable scale and mode.
DeviationSettings Usable(DeviationSettings settings);

DeviationSettings LoadDeviationSettings(const platform::CProfile& profile);
// The scale is kept in whole metres, at least one.
void SaveDeviationSettings(platform::CProfile& profile, const DeviationSettings& settings);

// The reference of the mode: the average or the current position, or the fixed point as it
// stands; a coordinate that is not a number leaves the reference's unchanged.
GeoPosition UpdatedReference(const DeviationSettings& settings, GeoPosition average, GeoPosition current);

// Where a position lies on a plot of the given centre and half size, north up.
struct DeviationPlot {
    MapPixel centre;
    double halfSize;
    double pixelsPerMetre;
    GeoPosition reference;
};
DeviationPlot DeviationPlotOf(int width, int height, int margin, const DeviationSettings& settings);
// Metres east and north of the reference, on a sphere of the earth's mean radius.
GroundOffset DeviationOffset(GeoPosition reference, GeoPosition position);
// Nothing for a coordinate that is not a number or a point outside the plot.
std::optional<MapPixel> PlotPoint(const DeviationPlot& plot, GeoPosition position);
// The pixel of an offset east and north, inside the plot or not.
MapPixel PlotPixel(const DeviationPlot& plot, double east, double north);

// The distance between rings: 1, 2 or 5 × 10^k metres, giving at most five rings.
double RingStep(double maxDeviation);
// "%.1fm" when the step has a fraction, else "%.0fm".
std::u16string RingLabel(double distance, double step);

// A number typed into the properties dialog, in the C locale; nothing for other text.
std::optional<double> DialogNumber(std::u16string_view text);
