#pragma once
#include <span>

#include "platform/export.h"

// The tick marks of a chart axis over a range of stored values: first, first + step, … (count of
// them). No ticks (count 0) for an empty, reversed or non-finite range.
struct AxisTicks {
    double first = 0;
    double step = 0;
    int count = 0;

    double At(int i) const { return first + i * step; }
};

// The general rule: a step of 10^e for a span of m·10^e, halved when m < 3 and doubled when
// m ≥ 6; the ticks run from the step's multiple at or below low to the one at or above high.
VELTRO_EXPORT AxisTicks GeneralAxisTicks(double low, double high);

// Ticks at the smallest of the steps (ascending, in stored units) that gives at most six, so that
// a time steps by whole minutes and hours or an angle by whole degrees. A span too short for the
// first step follows the general rule in units of unit (a degree in radians, say); one too long
// for the last counts whole multiples of the last by the general rule.
VELTRO_EXPORT AxisTicks SteppedAxisTicks(double low, double high, double unit, std::span<const double> steps);

// Ticks of a time in seconds: 1, 2, 5, 10, 15, 30 s, minutes and hours alike, days and weeks.
VELTRO_EXPORT AxisTicks TimeAxisTicks(double low, double high);
