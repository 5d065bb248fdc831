#include "sim_leap_seconds.h"

namespace {
constexpr double kSecondsPerDay = 86400;
constexpr int kUnixEpochMjd = 40587;  // 1970-01-01
constexpr int kGpsEpochMjd = 44244;   // 1980-01-06
constexpr int kTaiMinusGps = 19;

struct Step {
    int mjd;  // the Modified Julian Day from whose start on TAI - UTC holds
    int taiMinusUtc;
};

// The IERS leap seconds since GPS time began, as tzdata's leap-seconds.list lists them.
constexpr Step kSteps[] = {
    {44786, 20}, {45151, 21}, {45516, 22}, {46247, 23}, {47161, 24}, {47892, 25}, {48257, 26}, {48804, 27}, {49169, 28},
    {49534, 29}, {50083, 30}, {50630, 31}, {51179, 32}, {53736, 33}, {54832, 34}, {56109, 35}, {57204, 36}, {57754, 37},
};

int GpsMinusUtc(const Step& step) { return step.taiMinusUtc - kTaiMinusGps; }
}  // namespace

int SimLeapSeconds(double gpsTime) {
    int count = 0;
    for (const Step& step : kSteps)
        if (gpsTime >= (step.mjd - kGpsEpochMjd) * kSecondsPerDay + GpsMinusUtc(step)) count = GpsMinusUtc(step);
    return count;
}

double SimGpsTimeFromUtc(double utc) {
    const double mjd = kUnixEpochMjd + utc / kSecondsPerDay;
    int count = 0;
    for (const Step& step : kSteps)
        if (mjd >= step.mjd) count = GpsMinusUtc(step);
    return utc - (kGpsEpochMjd - kUnixEpochMjd) * kSecondsPerDay + count;
}
