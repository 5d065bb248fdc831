#include "geoid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
constexpr double kStepDegrees = 10.0;
constexpr double kNorthEdgeHeight = 13.0;
constexpr double kSouthEdgeHeight = -30.0;

// Rows beyond the table stand for the heights at the poles.
double Height(int row, int column) {
    if (row < 0) return kNorthEdgeHeight;
    if (row >= kGeoidRows) return kSouthEdgeHeight;
    return kGeoidHeights[row][column];
}

// Weight along one axis of a corner whose nearness is t: 1 when the point lies on the corner's
// line, 0 when it lies on the next one, with a flat slope at both.
double Weight(double t) { return (3 - 2 * t) * t * t; }

double EastLongitude(double longitudeDegrees) {
    const double east = std::fmod(longitudeDegrees, 360.0);
    if (east < 0) return east + 360.0 < 360.0 ? east + 360.0 : 0.0;
    return east;
}
}  // namespace

double GeoidSeparation(double latitudeDegrees, double longitudeDegrees) {
    if (!std::isfinite(latitudeDegrees) || !std::isfinite(longitudeDegrees))
        return std::numeric_limits<double>::quiet_NaN();
    const double colatitude = (90.0 - std::clamp(latitudeDegrees, -90.0, 90.0)) / kStepDegrees;
    const double east = EastLongitude(longitudeDegrees) / kStepDegrees;
    const int i = static_cast<int>(colatitude);
    const int k = std::min(static_cast<int>(east), kGeoidColumns - 2);
    const double y = colatitude - i;
    const double x = east - k;
    return Height(i - 1, k) * Weight(1 - y) * Weight(1 - x) + Height(i - 1, k + 1) * Weight(1 - y) * Weight(x) +
           Height(i, k) * Weight(y) * Weight(1 - x) + Height(i, k + 1) * Weight(y) * Weight(x);
}
