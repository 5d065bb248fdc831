#include "logger_nav_sol.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct FixClass {
    uint8_t gpsFix;
    uint8_t flags;
    uint32_t positionAccuracyCm;
    uint32_t speedAccuracyCmS;
    uint16_t pdopHundredths;
    uint8_t satellites;
};

// By fix class 0 to 3.
constexpr FixClass kFixClasses[] = {
    {0, 0x40, 1000000, 1000000, 100, 0},
    {2, 0x5D, 5000, 100, 10, 3},
    {3, 0x5D, 2000, 50, 5, 4},
    {3, 0xDD, 1000, 10, 2, 5},
};

constexpr uint8_t kDifferentialFlag = 0x02;
constexpr uint16_t kSpeedMask = 0x03FF;
constexpr uint16_t kDifferentialBit = 0x0400;
constexpr int kFixClassShift = 11;
constexpr uint16_t kFixClassMask = 0x3;
// Weeks below this count once more around the 1024-week roll-over.
constexpr int kFirstWholeWeek = 1350;
constexpr int kWeekRollover = 1024;
// A previous record farther back than this gives no direction of travel.
constexpr uint32_t kDirectionWindowMs = 30000;
constexpr double kKmhPerCmS = 0.036;
constexpr double kMetresPerSecondPerKmh = 0.2777777777777778;

// Record offsets.
constexpr int kSpeedAndFixAt = 4;
constexpr int kLoggedWeekAt = 6;
constexpr int kLoggedSecondsAt = 8;
constexpr int kLoggedPositionAt = 12;

// NAV-SOL offsets.
constexpr int kTimeOfWeekAt = 0;
constexpr int kWeekAt = 8;
constexpr int kGpsFixAt = 10;
constexpr int kFlagsAt = 11;
constexpr int kPositionAt = 12;
constexpr int kPositionAccuracyAt = 24;
constexpr int kVelocityAt = 28;
constexpr int kSpeedAccuracyAt = 40;
constexpr int kPdopAt = 44;
constexpr int kSatellitesAt = 47;

template <typename T, size_t N>
T Get(std::span<const uint8_t, N> bytes, int at) {
    uint64_t value = 0;
    for (size_t i = 0; i < sizeof(T); ++i) value |= uint64_t{bytes[at + i]} << (8 * i);
    return static_cast<T>(value);
}

template <typename T>
void Put(NavSolPayload& payload, int at, T value) {
    const auto bits = static_cast<uint64_t>(value);
    for (size_t i = 0; i < sizeof(T); ++i) payload[at + i] = static_cast<uint8_t>(bits >> (8 * i));
}

int32_t Saturated(double value) {
    return static_cast<int32_t>(
        std::clamp<double>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int Week(int16_t logged) {
    int week = logged;
    while (week < kFirstWholeWeek) week += kWeekRollover;
    return week;
}

// Centimetres per second along the way from the previous position when it is known; else the
// speed along X alone.
std::array<int32_t, 3> Velocity(const NavSolPayload& previous, const NavSolPayload& current, unsigned speedKmh) {
    if (speedKmh == 0) return {0, 0, 0};
    const std::span<const uint8_t, kNavSolPayloadBytes> before(previous);
    const std::span<const uint8_t, kNavSolPayloadBytes> now(current);
    const bool sameWeek = Get<uint16_t>(before, kWeekAt) == Get<uint16_t>(now, kWeekAt);
    const uint32_t sinceMs = Get<uint32_t>(now, kTimeOfWeekAt) - Get<uint32_t>(before, kTimeOfWeekAt);
    if (sameWeek && sinceMs < kDirectionWindowMs) {
        double d[3];
        for (int k = 0; k < 3; ++k)
            d[k] = static_cast<double>(Get<int32_t>(now, kPositionAt + 4 * k)) -
                   static_cast<double>(Get<int32_t>(before, kPositionAt + 4 * k));
        const double n = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]) * kKmhPerCmS;
        if (n > 0) {
            const double scale = speedKmh / n;
            return {Saturated(scale * d[0]), Saturated(scale * d[1]), Saturated(scale * d[2])};
        }
    }
    return {Saturated(speedKmh * 100.0 * kMetresPerSecondPerKmh), 0, 0};
}

}  // namespace

NavSolPayload CLoggerNavSol::Convert(LoggerRecord record) {
    const uint16_t speedAndFix = Get<uint16_t>(record, kSpeedAndFixAt);
    const FixClass& fix = kFixClasses[(speedAndFix >> kFixClassShift) & kFixClassMask];
    NavSolPayload payload{};
    Put(payload, kTimeOfWeekAt, static_cast<uint32_t>(Get<uint32_t>(record, kLoggedSecondsAt) * 1000u));
    Put(payload, kWeekAt, static_cast<uint16_t>(Week(Get<int16_t>(record, kLoggedWeekAt))));
    Put(payload, kGpsFixAt, fix.gpsFix);
    Put(payload, kFlagsAt, static_cast<uint8_t>(fix.flags | (speedAndFix & kDifferentialBit ? kDifferentialFlag : 0)));
    for (int k = 0; k < 3; ++k)
        Put(payload, kPositionAt + 4 * k,
            Saturated(static_cast<double>(Get<int32_t>(record, kLoggedPositionAt + 4 * k)) * 100));
    Put(payload, kPositionAccuracyAt, fix.positionAccuracyCm);
    const std::array<int32_t, 3> velocity = Velocity(previous, payload, speedAndFix & kSpeedMask);
    for (int k = 0; k < 3; ++k) Put(payload, kVelocityAt + 4 * k, velocity[k]);
    Put(payload, kSpeedAccuracyAt, fix.speedAccuracyCmS);
    Put(payload, kPdopAt, fix.pdopHundredths);
    Put(payload, kSatellitesAt, fix.satellites);
    previous = payload;
    return payload;
}
