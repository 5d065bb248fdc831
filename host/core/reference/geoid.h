#pragma once
#include <cstdint>

// Whole-metre geoid heights on a 10-degree grid: row r holds latitude 80 - 10 r degrees (80 N to
// 80 S), value c holds east longitude 10 c degrees; the last value of a row repeats the first.
constexpr int kGeoidRows = 17;
constexpr int kGeoidColumns = 37;
extern const int8_t kGeoidHeights[kGeoidRows][kGeoidColumns];

// Height of the geoid above the WGS-84 ellipsoid in metres, smoothly interpolated between the
// grid nodes; north of 80 N towards 13 m, south of 80 S towards -30 m. NaN for a non-finite input.
double GeoidSeparation(double latitudeDegrees, double longitudeDegrees);
