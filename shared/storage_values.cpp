#include "storage_values.h"

#include <cmath>
#include <ctime>

#include "platform/text.h"
#include "shared/calendar.h"
#include "shared/value_format.h"

VELTRO_IMPLEMENT_CLASS(CStorageValue, CStorage)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatistics, CStorageValue)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsTimeGPS, CStorageValueStatistics)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsTimeUTC, CStorageValueStatistics)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsTTAG, CStorageValueStatistics)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsAngle, CStorageValueStatistics)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsAngle360, CStorageValueStatisticsAngle)
VELTRO_IMPLEMENT_CLASS(CStorageValueStatisticsAnglePosition, CStorageValueStatisticsAngle)
VELTRO_IMPLEMENT_CLASS(CStorageValueBitmask, CStorageValue)

namespace {
constexpr double kPi = 3.1415926535898;
constexpr double kDegreesPerRadian = 180.0 / kPi;
}  // namespace

// ---- CStorageValue

std::u16string CStorageValue::FormatCurrent() const { return Format(GetValue()); }

std::u16string CStorageValue::FormatSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    return Format(GetSnapshotValue(history, snapshot));
}

void CStorageValue::SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) {
    PutSnapshotValue(history, snapshot, valid ? value : kNaN);
    CloseEpoch();
}

void CStorageValue::Reset() {
    CStorage::Reset();
    value = kNaN;
}

bool CStorageValue::SetValue(double v, uint8_t flag) {
    if (std::isnan(v)) return false;
    CountStore();
    if (v != value) MarkChanged();
    const bool wasValid = valid != 0;
    changedFlag = flag;
    value = v;
    MarkValid();
    return !wasValid || changed;
}

bool CStorageValue::SetValue(double v) { return SetValue(v, 0); }

bool CStorageValue::IsSameValue(double v) const { return !valid || std::isnan(value) || v == value; }

bool CStorageValue::SetValueMarked(double v) { return SetValue(v, 1); }

double CStorageValue::GetValue() const { return (valid || count > 0) ? value : kNaN; }

std::u16string CStorageValue::Format(double v) const {
    if (std::isnan(v)) return noValueText;
    return FormatNumber(format, v);
}

const std::u16string& CStorageValue::GetUnit() const { return unit; }

AxisTicks CStorageValue::ComputeAxis(double low, double high) const { return GeneralAxisTicks(low, high); }

void CStorageValue::SetSnapshotSlot(SnapshotSlot slot) { snapshotSlot = slot; }

double CStorageValue::GetSnapshotValue(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    return HasSnapshotSlot() ? history.Value(snapshot, snapshotSlot) : kNaN;
}

void CStorageValue::PutSnapshotValue(const CEpochHistory& history, CEpochSnapshot& snapshot, double v) const {
    if (!HasSnapshotSlot()) return;
    if (double* address = history.ValueAddress(snapshot, snapshotSlot)) *address = v;
}

void CStorageValue::SetFormat(std::u16string newFormat, std::u16string newNoValueText) {
    format = std::move(newFormat);
    noValueText = std::move(newNoValueText);
}

void CStorageValue::SetRange(double low, double high, double step) {
    rangeLow = low;
    rangeHigh = high;
    rangeStep = step;
}

void CStorageValue::GetRange(double& low, double& high, double& step) const {
    low = rangeLow;
    high = rangeHigh;
    step = rangeStep;
}

// ---- CStorageValueStatistics

void CStorageValueStatistics::SaveSnapshot(const CEpochHistory& history, CEpochSnapshot& snapshot) {
    if (valid) {
        const double v = GetValue();
        if (count == 0) {
            sumOfSquares = v * v;
            sum = v;
            minimum = maximum = v;
        } else {
            sumOfSquares += v * v;
            sum += v;
            minimum = std::min(minimum, v);
            maximum = std::max(maximum, v);
        }
    }
    CStorageValue::SaveSnapshot(history, snapshot);
}

void CStorageValueStatistics::Reset() {
    CStorageValue::Reset();
    sumOfSquares = sum = 0;
    minimum = maximum = kNaN;
}

double CStorageValueStatistics::Samples() const { return static_cast<double>(count) + (valid ? 1 : 0); }

double CStorageValueStatistics::GetMinimum() const {
    if (valid) return count > 0 ? std::min(minimum, value) : value;
    return count > 0 ? minimum : kNaN;
}

double CStorageValueStatistics::GetMaximum() const {
    if (valid) return count > 0 ? std::max(maximum, value) : value;
    return count > 0 ? maximum : kNaN;
}

double CStorageValueStatistics::GetAverage() const {
    const double n = Samples();
    if (n == 0) return kNaN;
    return valid ? (sum + value) / n : sum / n;
}

double CStorageValueStatistics::GetDeviation() const {
    const double n = Samples();
    if (n == 0) return kNaN;
    double variance;
    if (valid) {
        if (n == 1) return 0;
        const double total = sum + value;
        variance = (sumOfSquares + value * value - total * total / n) / n;
    } else {
        variance = (sumOfSquares - sum * sum / n) / n;
    }
    return std::sqrt(std::max(variance, 0.0));
}

std::u16string CStorageValueStatistics::FormatMinimum() const { return Format(GetMinimum()); }
std::u16string CStorageValueStatistics::FormatMaximum() const { return Format(GetMaximum()); }
std::u16string CStorageValueStatistics::FormatAverage() const { return Format(GetAverage()); }
std::u16string CStorageValueStatistics::FormatDeviation() const { return Format(GetDeviation()); }

StatisticsSummary CStorageValueStatistics::GetStatistics() const {
    return {GetMinimum(), GetMaximum(), GetAverage(), GetDeviation()};
}

// ---- CStorageValueStatisticsTimeGPS

CStorageValueStatisticsTimeGPS::CStorageValueStatisticsTimeGPS(std::u16string name, std::u16string description)
    : CStorageValueStatistics(std::move(name), std::move(description)) {
    unit = u"wno:tow";
    format = u"%w:%s";
}

std::u16string CStorageValueStatisticsTimeGPS::Format(double v) const {
    if (std::isnan(v) || v < 0) return noValueText;
    const double week = std::floor(v / kSecondsPerWeek);
    const double timeOfWeek = v - week * kSecondsPerWeek;
    std::u16string out;
    for (size_t i = 0; i < format.size(); ++i) {
        if (format[i] != u'%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        switch (format[++i]) {
            case u'W': out += platform::FormatW(u"%.0f", std::fmod(week, 1024.0)); break;
            case u'w': out += platform::FormatW(u"%.0f", week); break;
            case u's': out += platform::FormatW(u"%010.3f", timeOfWeek); break;
            case u'S': out += platform::FormatW(u"%06.0f", timeOfWeek); break;
            default: out += u'%'; out += format[i]; break;
        }
    }
    return out;
}

AxisTicks CStorageValueStatisticsTimeGPS::ComputeAxis(double low, double high) const {
    return TimeAxisTicks(low, high);
}

bool CStorageValueStatisticsTimeGPS::SetGpsTime(double timeOfWeek, double week) {
    if (std::isnan(timeOfWeek) || std::isnan(week) || week < 0 || timeOfWeek < 0 || timeOfWeek >= kSecondsPerWeek)
        return false;
    constexpr double kRollover = 1024 * kSecondsPerWeek;
    double t = week * kSecondsPerWeek + timeOfWeek;
    if (t < kRollover) {
        const double earliest = static_cast<double>(std::time(nullptr)) - kGpsEpochUtc - 972 * kSecondsPerWeek;
        while (t < earliest) t += kRollover;
    }
    return SetValue(t);
}

// ---- CStorageValueStatisticsTimeUTC

namespace {

const char16_t* const kWeekdays[] = {u"Sunday", u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday"};
const char16_t* const kMonths[] = {u"January", u"February", u"March",     u"April",   u"May",      u"June",
                                   u"July",    u"August",   u"September", u"October", u"November", u"December"};

std::u16string TwoDigits(int n) { return platform::FormatW(u"%02d", n); }

// One calendar token of the UTC format; the date tokens are unknown below one day.
std::u16string FormatUtcToken(char16_t token, double t, const CivilTime& c) {
    const bool hasDate = t >= kSecondsPerDay;
    switch (token) {
        case u'H': return TwoDigits(c.hour);
        case u'I': return TwoDigits(c.hour % 12 == 0 ? 12 : c.hour % 12);
        case u'p': return c.hour < 12 ? u"AM" : u"PM";
        case u'M': return TwoDigits(c.minute);
        case u'S': return TwoDigits(static_cast<int>(c.second));
        case u's': return platform::FormatW(u"%06.3f", std::fmod(t, 60.0));
        case u'm': return hasDate ? TwoDigits(c.month) : u"??";
        case u'd': return hasDate ? TwoDigits(c.day) : u"??";
        case u'y': return hasDate ? TwoDigits(c.year % 100) : u"??";
        case u'Y': return hasDate ? platform::FormatW(u"%04d", c.year) : u"????";
        case u'B': return hasDate ? kMonths[c.month - 1] : u"";
        case u'b': return hasDate ? std::u16string(kMonths[c.month - 1]).substr(0, 3) : u"";
        case u'A': return hasDate ? kWeekdays[c.weekday] : u"";
        case u'a': return hasDate ? std::u16string(kWeekdays[c.weekday]).substr(0, 3) : u"";
        case u'j': return hasDate ? platform::FormatW(u"%03d", c.dayOfYear) : u"???";
        case u'%': return u"%";
        default: return std::u16string(u"%") + token;
    }
}

}  // namespace

CStorageValueStatisticsTimeUTC::CStorageValueStatisticsTimeUTC(std::u16string name, std::u16string description)
    : CStorageValueStatistics(std::move(name), std::move(description)) {
    unit = u"time date";
    format = u"%H:%M:%s %m/%d/%Y";
}

std::u16string CStorageValueStatisticsTimeUTC::Format(double v) const { return FormatWith(format, v); }

std::u16string CStorageValueStatisticsTimeUTC::FormatWith(const std::u16string& timeFormat, double v) const {
    if (v < 0 || !IsCivilTime(v)) return noValueText;
    const CivilTime civil = CivilFromSeconds(v);
    std::u16string out;
    for (size_t i = 0; i < timeFormat.size(); ++i) {
        if (timeFormat[i] == u'%' && i + 1 < timeFormat.size())
            out += FormatUtcToken(timeFormat[++i], v, civil);
        else
            out += timeFormat[i];
    }
    return out;
}

AxisTicks CStorageValueStatisticsTimeUTC::ComputeAxis(double low, double high) const {
    return TimeAxisTicks(low, high);
}

AxisTicks CStorageValueStatisticsTTAG::ComputeAxis(double low, double high) const { return TimeAxisTicks(low, high); }

void CStorageValueStatisticsTimeUTC::Reset() {
    CStorageValueStatistics::Reset();
    hasDate = false;
}

namespace {
double SecondsOfDay(double second, int minute, int hour) { return hour * 3600.0 + minute * 60.0 + second; }
double DateTimeSeconds(double second, int minute, int hour, int day, int month, int year) {
    return static_cast<double>(DaysFromCivil(year, month, day)) * kSecondsPerDay + SecondsOfDay(second, minute, hour);
}
}  // namespace

bool CStorageValueStatisticsTimeUTC::SetDateTime(double second, int minute, int hour, int day, int month, int year) {
    const double t = DateTimeSeconds(second, minute, hour, day, month, year);
    if (std::isnan(t)) return false;
    if (t >= kSecondsPerDay) hasDate = true;
    return SetValue(t);
}

bool CStorageValueStatisticsTimeUTC::SetTimeOfDay(double second, int minute, int hour) {
    const double timeOfDay = SecondsOfDay(second, minute, hour);
    if (std::isnan(timeOfDay)) return false;
    const double previous = GetValue();
    if (!hasDate || std::isnan(previous)) return SetValue(timeOfDay);
    // Keep the date known from an earlier sentence; a time of day far below the previous one
    // means midnight has passed.
    double day = std::floor(previous / kSecondsPerDay);
    if (timeOfDay < std::fmod(previous, kSecondsPerDay) - kSecondsPerDay / 2) day += 1;
    return SetValue(day * kSecondsPerDay + timeOfDay);
}

bool CStorageValueStatisticsTimeUTC::IsSameEpochAs(double t, bool timeOfDayOnly) const {
    if (!valid || std::isnan(t)) return true;
    double current = value;
    if (!hasDate || timeOfDayOnly) {
        t = std::fmod(t, kSecondsPerDay);
        current = std::fmod(current, kSecondsPerDay);
    }
    return std::fabs(t - current) < 0.01;
}

bool CStorageValueStatisticsTimeUTC::IsSameEpochDateTime(double second, int minute, int hour, int day, int month,
                                                         int year) const {
    return IsSameEpochAs(DateTimeSeconds(second, minute, hour, day, month, year), false);
}

bool CStorageValueStatisticsTimeUTC::IsSameEpochTimeOfDay(double second, int minute, int hour) const {
    return IsSameEpochAs(SecondsOfDay(second, minute, hour), true);
}

// ---- Angles

CStorageValueStatisticsAngle::CStorageValueStatisticsAngle(std::u16string name, std::u16string description)
    : CStorageValueStatistics(std::move(name), std::move(description)) {
    unit = u"°";
}

double CStorageValueStatisticsAngle::DisplayDegrees(double radians) const { return radians * kDegreesPerRadian; }

std::u16string CStorageValueStatisticsAngle::Format(double v) const {
    return std::isnan(v) ? noValueText : FormatNumber(format, DisplayDegrees(v));
}

namespace {

constexpr double kRadiansPerDegree = kPi / 180;
constexpr double kDegreeSteps[] = {1 * kRadiansPerDegree,  2 * kRadiansPerDegree,  5 * kRadiansPerDegree,
                                   10 * kRadiansPerDegree, 15 * kRadiansPerDegree, 30 * kRadiansPerDegree,
                                   45 * kRadiansPerDegree, 90 * kRadiansPerDegree};
constexpr double kMinute = kRadiansPerDegree / 60;
constexpr double kSecond = kMinute / 60;
constexpr double kSexagesimalSteps[] = {
    1 * kSecond,           2 * kSecond,           5 * kSecond,           10 * kSecond,          15 * kSecond,
    30 * kSecond,          1 * kMinute,           2 * kMinute,           5 * kMinute,           10 * kMinute,
    15 * kMinute,          30 * kMinute,          1 * kRadiansPerDegree, 2 * kRadiansPerDegree, 5 * kRadiansPerDegree,
    10 * kRadiansPerDegree, 15 * kRadiansPerDegree, 30 * kRadiansPerDegree, 45 * kRadiansPerDegree,
    90 * kRadiansPerDegree};

// The general rule applied to the range in another unit (unit stored units each).
AxisTicks GeneralTicksIn(double low, double high, double unit) {
    AxisTicks ticks = GeneralAxisTicks(low / unit, high / unit);
    ticks.first *= unit;
    ticks.step *= unit;
    return ticks;
}

}  // namespace

AxisTicks CStorageValueStatisticsAngle::ComputeAxis(double low, double high) const {
    return SteppedAxisTicks(low, high, kRadiansPerDegree, kDegreeSteps);
}

double CStorageValueStatisticsAngle360::DisplayDegrees(double radians) const {
    return (radians < 0 ? radians + 2 * kPi : radians) * kDegreesPerRadian;
}

CStorageValueStatisticsAnglePosition::CStorageValueStatisticsAnglePosition(std::u16string name,
                                                                           std::u16string description)
    : CStorageValueStatisticsAngle(std::move(name), std::move(description)) {
    SetDisplayMode(2);
}

void CStorageValueStatisticsAnglePosition::SetDisplayMode(int mode) {
    if (mode < 0 || mode > 8) mode = 2;
    displayMode = mode;
    switch (mode) {
        case 0: unit = u"rad"; format = u"%9.7f"; break;
        case 1: unit = u"grad"; format = u"%8.6f"; break;
        case 2: unit = u"°"; format = u"%8.6f"; break;
        case 3: case 5: case 7: unit = u"° '"; format = u"%d %06.3f"; break;
        default: unit = u"° ' \""; format = u"%d %02d %04.1f"; break;
    }
}

AxisTicks CStorageValueStatisticsAnglePosition::ComputeAxis(double low, double high) const {
    switch (displayMode) {
        case 0: return GeneralAxisTicks(low, high);
        case 1: return GeneralTicksIn(low, high, kPi / 200);
        case 2: return CStorageValueStatisticsAngle::ComputeAxis(low, high);
        default: return SteppedAxisTicks(low, high, kSecond, kSexagesimalSteps);
    }
}

std::u16string CStorageValueStatisticsAnglePosition::Format(double v) const {
    if (std::isnan(v)) return noValueText;
    switch (displayMode) {
        case 0: return platform::FormatW(u"%9.7f", v);
        case 1: return platform::FormatW(u"%8.6f", v * 200.0 / kPi);
        case 2: return platform::FormatW(u"%8.6f", v * kDegreesPerRadian);
        default: break;
    }
    const double degrees = v * kDegreesPerRadian;
    const std::u16string sign = degrees < 0 ? u"-" : u"";
    // Round once on the smallest unit shown, so that 59.9999 minutes become the next degree.
    if (displayMode % 2 == 1) {
        const auto thousandths = static_cast<long long>(std::llround(std::fabs(degrees) * 60000.0));
        return sign + platform::FormatW(u"%d %06.3f", static_cast<int>(thousandths / 60000),
                                        static_cast<double>(thousandths % 60000) / 1000.0);
    }
    const auto tenths = static_cast<long long>(std::llround(std::fabs(degrees) * 36000.0));
    return sign + platform::FormatW(u"%d %02d %04.1f", static_cast<int>(tenths / 36000),
                                    static_cast<int>(tenths % 36000 / 600), static_cast<double>(tenths % 600) / 10.0);
}

// ---- CStorageValueBitmask

std::u16string CStorageValueBitmask::Format(double v) const {
    if (std::isnan(v) || v < 0 || v > static_cast<double>(format.size())) return noValueText;
    auto index = static_cast<long long>(v);
    size_t start = 0;
    while (index-- > 0) {
        start = format.find(u'\n', start);
        if (start == std::u16string::npos) return noValueText;
        ++start;
    }
    const size_t end = format.find(u'\n', start);
    return format.substr(start, end == std::u16string::npos ? std::u16string::npos : end - start);
}
