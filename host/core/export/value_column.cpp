#include "value_column.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "host/core/reference/geodesy.h"
#include "platform/text.h"
#include "shared/calendar.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

namespace {

// As printf's "%.12g" writes it in the C locale, without printf's cost: exports write millions.
std::string GeneralText(double v) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, v, std::chars_format::general, 12);
    return {text, result.ptr};
}

// A non-negative number with leading zeros to the given width, then a separator unless it is 0.
void AppendDigits(std::string& out, int value, int width, char separator) {
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(static_cast<size_t>(std::max<ptrdiff_t>(0, width - (result.ptr - text))), '0');
    out.append(text, result.ptr);
    if (separator) out += separator;
}

}  // namespace

CValueColumn::CValueColumn(const CStorage& entry) : entry(entry), kind(Kind::Number) {
    if (entry.IsKindOf(CStorageSVList::StaticClass()))
        kind = Kind::SatelliteList;
    else if (entry.IsKindOf(CStorageValueBitmask::StaticClass()))
        kind = Kind::Choice;
    else if (entry.IsKindOf(CStorageValueStatisticsTimeUTC::StaticClass()))
        kind = Kind::Utc;
    else if (entry.IsKindOf(CStorageValueStatisticsAngle360::StaticClass()))
        kind = Kind::Angle360;
    else if (entry.IsKindOf(CStorageValueStatisticsAngle::StaticClass()))
        kind = Kind::Angle;
}

std::string CValueColumn::Name() const { return platform::WideToUtf8(entry.GetName()); }

double CValueColumn::Value(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    if (kind == Kind::SatelliteList) return NAN;
    const double v = static_cast<const CStorageValue&>(entry).GetSnapshotValue(history, snapshot);
    if (kind == Kind::Angle) return v * wgs84::kDegreesPerRadian;
    if (kind == Kind::Angle360) return std::fmod(v * wgs84::kDegreesPerRadian + 360, 360);
    return v;
}

std::string CValueColumn::Text(const CEpochHistory& history, const CEpochSnapshot& snapshot) const {
    if (kind == Kind::SatelliteList) return platform::WideToUtf8(entry.FormatSnapshotValue(history, snapshot));
    const double v = static_cast<const CStorageValue&>(entry).GetSnapshotValue(history, snapshot);
    if (std::isnan(v)) return "";
    switch (kind) {
        case Kind::Utc:
            return IsCivilTime(v) ? UtcText(v) : "";
        case Kind::Choice:
            return platform::WideToUtf8(static_cast<const CStorageValue&>(entry).Format(v));
        default:
            return GeneralText(Value(history, snapshot));
    }
}

// A time of day alone (no date known) is shown without a date.
std::string CValueColumn::UtcText(double seconds) const {
    const double rounded = std::round(seconds * 1000) / 1000;
    const CivilTime t = CivilFromSeconds(std::floor(rounded));
    const int ms = static_cast<int>(std::lround((rounded - std::floor(rounded)) * 1000));
    std::string text;
    if (static_cast<const CStorageValueStatisticsTimeUTC&>(entry).HasDate()) {
        AppendDigits(text, t.year, 4, '-');
        AppendDigits(text, t.month, 2, '-');
        AppendDigits(text, t.day, 2, 'T');
    }
    AppendDigits(text, t.hour, 2, ':');
    AppendDigits(text, t.minute, 2, ':');
    AppendDigits(text, static_cast<int>(t.second), 2, '.');
    AppendDigits(text, ms, 3, 'Z');
    return text;
}
