#include "axis_ticks.h"

#include <cmath>

namespace {

// A range holds at most this many steps before a longer step is taken: the general rule's
// steps give two to six.
constexpr double kMostSteps = 6;
// Beyond this the range is not worth marking (the step vanishes beside the values).
constexpr double kMostTicks = 1000;

AxisTicks TicksWithStep(double low, double high, double step) {
    if (!(step > 0) || !std::isfinite(step)) return {};
    const double first = std::floor(low / step) * step;
    const double last = std::ceil(high / step) * step;
    const double count = std::round((last - first) / step) + 1;
    if (!std::isfinite(count) || count > kMostTicks) return {};
    return {first, step, static_cast<int>(count)};
}

bool IsRange(double low, double high) { return std::isfinite(low) && std::isfinite(high) && high > low; }

double GeneralStep(double span) {
    const double exponent = std::floor(std::log10(span));
    const double mantissa = std::pow(10.0, std::log10(span) - exponent);
    double step = std::pow(10.0, exponent);
    if (mantissa < 3) step /= 2;
    if (mantissa >= 6) step *= 2;
    return step;
}

constexpr double kMinute = 60;
constexpr double kHour = 3600;
constexpr double kDay = 86400;
constexpr double kTimeSteps[] = {1,        2,           5,           10,           15,           30,
                                 kMinute,  2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute,
                                 kHour,    2 * kHour,   3 * kHour,   6 * kHour,    12 * kHour,   kDay,
                                 2 * kDay, 7 * kDay};

}  // namespace

AxisTicks GeneralAxisTicks(double low, double high) {
    if (!IsRange(low, high)) return {};
    return TicksWithStep(low, high, GeneralStep(high - low));
}

AxisTicks SteppedAxisTicks(double low, double high, double unit, std::span<const double> steps) {
    if (!IsRange(low, high) || steps.empty()) return {};
    const double span = high - low;
    if (span < 2 * steps.front()) return TicksWithStep(low, high, GeneralStep(span / unit) * unit);
    for (const double step : steps)
        if (span / step <= kMostSteps) return TicksWithStep(low, high, step);
    const double longest = steps.back();
    return TicksWithStep(low, high, GeneralStep(span / longest) * longest);
}

AxisTicks TimeAxisTicks(double low, double high) { return SteppedAxisTicks(low, high, 1, kTimeSteps); }
