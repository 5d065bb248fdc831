#pragma once

// The program's value of pi, shared with the host's conversions.
constexpr double kPi = 3.1415926535898;
constexpr double kRadiansPerDegree = kPi / 180.0;
// A knot is one nautical mile (1852 m) per hour.
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;
constexpr double kMetresPerSecondPerKmh = 1.0 / 3.6;
