#include "leap_seconds.h"

#include <iterator>

#include "shared/calendar.h"

namespace {
struct LeapStep {
    int year, month, day;
    int gpsMinusUtc;
};

constexpr LeapStep kSteps[] = {
    {1980, 1, 1, 0},  {1981, 7, 1, 1},  {1982, 7, 1, 2},  {1983, 7, 1, 3},  {1985, 7, 1, 4},
    {1988, 1, 1, 5},  {1990, 1, 1, 6},  {1991, 1, 1, 7},  {1992, 7, 1, 8},  {1993, 7, 1, 9},
    {1994, 7, 1, 10}, {1996, 1, 1, 11}, {1997, 7, 1, 12}, {1999, 1, 1, 13}, {2006, 1, 1, 14},
    {2009, 1, 1, 15}, {2012, 7, 1, 16}, {2015, 7, 1, 17}, {2017, 1, 1, 18},
};

double StepUtc(const LeapStep& step) {
    return static_cast<double>(DaysFromCivil(step.year, step.month, step.day)) * kSecondsPerDay;
}
}  // namespace

int LeapSeconds(double utc) {
    for (auto step = std::rbegin(kSteps); step != std::rend(kSteps); ++step)
        if (StepUtc(*step) < utc) return step->gpsMinusUtc;
    return 0;
}

double GpsTimeFromUtc(double utc) { return utc + LeapSeconds(utc) - kGpsEpochUtc; }

double UtcFromGpsTime(double gpsTime) {
    // Compared on the GPS scale, a step takes effect at its date plus its own count.
    const double t = gpsTime + kGpsEpochUtc;
    for (auto step = std::rbegin(kSteps); step != std::rend(kSteps); ++step)
        if (StepUtc(*step) + step->gpsMinusUtc < t) return t - step->gpsMinusUtc;
    return t;
}
