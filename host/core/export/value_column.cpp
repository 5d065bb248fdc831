#include "value_column.h"

#include <cmath>

#include "host/core/reference/geodesy.h"
#include "platform/text.h"
#include "shared/calendar.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

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
            return platform::FormatC("%.12g", Value(history, snapshot));
    }
}

// A time of day alone (no date known) is shown without a date.
std::string CValueColumn::UtcText(double seconds) const {
    const double rounded = std::round(seconds * 1000) / 1000;
    const CivilTime t = CivilFromSeconds(std::floor(rounded));
    const int ms = static_cast<int>(std::lround((rounded - std::floor(rounded)) * 1000));
    const std::string time =
        platform::FormatC("%02d:%02d:%02d.%03dZ", t.hour, t.minute, static_cast<int>(t.second), ms);
    if (!static_cast<const CStorageValueStatisticsTimeUTC&>(entry).HasDate()) return time;
    return platform::FormatC("%04d-%02d-%02dT", t.year, t.month, t.day) + time;
}
