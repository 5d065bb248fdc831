#include "database_catalogue.h"

#include <cmath>
#include <memory>

#include "host/core/reference/geodesy.h"
#include "platform/text.h"
#include "shared/entry_ids.h"
#include "shared/epoch_history.h"
#include "shared/satellite_slots.h"
#include "shared/storage_database.h"
#include "shared/storage_sv_list.h"
#include "shared/storage_values.h"

using namespace entry;

namespace {

enum class Kind { Value, Statistics, TimeUtc, TimeGps, TimeTag, Angle, Angle360, Bitmask, SatelliteList };

// One entry; a null unit or format keeps the class's own. The range is in the stored unit.
struct Row {
    uint16_t id;  // for per-satellite rows the item number
    Kind kind;
    const char16_t* name;
    const char16_t* description;
    const char16_t* unit;
    const char16_t* format;
    double low, high, step;
    bool inSnapshot = true;
};

constexpr double kPi = wgs84::kPi;
constexpr double kNoRange = NAN;
constexpr const char16_t* kNoYes = u"No\nYes";

using enum Kind;


// clang-format off
const Row kCommonRows[] = {
    {kUtc, TimeUtc, u"UTC", u"Time UTC", nullptr, nullptr, 0, 2147483647, 0.001},
    {kGpsTime, TimeGps, u"GPS time", u"Time GPS", nullptr, nullptr, 0, 2477260800, 0.001},
    {kTimeTag, TimeTag, u"TTAG", u"TTAG (from ITOW)", u"s", u"%.3f", 0, 608400, 0.001},
    {kTimeAccuracy, Statistics, u"TACC", u"Time Accuracy", u"us", u"%f", 0, 3335638, 0.001},
    {kTimeSinceStartup, Statistics, u"TimeStartup", u"Time since Startup", u"s", u"%.3f", 0, 4294967.296, 0.001},
    {kTimeToFirstFix, Statistics, u"TTFF", u"Time to first fix", u"s", u"%.3f", 0, 604800, 0.001},
    {kLatitude, Angle, u"Lat", u"Position LTP Latitude", u"°", u"%.6f", -kPi / 2, kPi / 2, 1e-7},
    {kLongitude, Angle, u"Lon", u"Position LTP Longitude", u"°", u"%.6f", -kPi, kPi, 1e-7},
    {kHeightAboveEllipsoid, Statistics, u"Alt (HAE)", u"Position LTP Altitude (above ellipsoid)", u"m", u"%.2f",
        -10000, 1000000, 0.01},
    {kHeightAboveSeaLevel, Statistics, u"Alt (MSL)", u"Position LTP Altitude (above mean sea level)", u"m", u"%.2f",
        -10000, 1000000, 0.5},
    {kEcefX, Statistics, u"X", u"Position ECEF X", u"m", u"%.2f", -1e8, 1e8, 0.01},
    {kEcefY, Statistics, u"Y", u"Position ECEF Y", u"m", u"%.2f", -1e8, 1e8, 0.01},
    {kEcefZ, Statistics, u"Z", u"Position ECEF Z", u"m", u"%.2f", -1e8, 1e8, 0.01},
    {kPositionAccuracy3D, Statistics, u"PACC 3D", u"Position Accuracy 3D", u"m", u"%.3f", 0, 16000000, 0.001},
    {kPositionAccuracyVertical, Statistics, u"PACC V", u"Vertical Position Accuracy", u"m", u"%.3f",
        0, 16000000, 0.001},
    {kPositionAccuracyHorizontal, Statistics, u"PACC H", u"Horizontal Position Accuracy", u"m", u"%.3f",
        0, 16000000, 0.001},
    {kVelocityX, Statistics, u"VX", u"Velocity ECEF X", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kVelocityY, Statistics, u"VY", u"Velocity ECEF Y", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kVelocityZ, Statistics, u"VZ", u"Velocity ECEF Z", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kVelocityNorth, Statistics, u"VN", u"Velocity LTP North", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kVelocityEast, Statistics, u"VE", u"Velocity LTP East", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kVelocityDown, Statistics, u"VD", u"Velocity LTP Down", u"m/s", u"%.2f", -10000, 10000, 0.01},
    {kSpeedOverGround, Statistics, u"SoG", u"Speed over Ground", u"m/s", u"%.2f", 0, 10000, 0.01},
    {kSpeed, Statistics, u"Speed", u"Speed", u"m/s", u"%.2f", 0, 10000, 0.01},
    {kCourseOverGround, Angle360, u"CoG", u"Course over Ground", u"°", u"%.2f", -kPi, kPi, 0.001},
    {kVelocityAccuracy3D, Statistics, u"VACC 3D", u"Velocity Accuracy 3D", u"m/s", u"%.2f", 0, 16000000, 0.01},
    {kHdop, Statistics, u"HDOP", u"DOP Horizontal", nullptr, u"%.1f", 0, 100, 0.1},
    {kVdop, Statistics, u"VDOP", u"DOP Vertical", nullptr, u"%.1f", 0, 100, 0.1},
    {kGdop, Statistics, u"GDOP", u"DOP Geometric", nullptr, u"%.1f", 0, 100, 0.1},
    {kNdop, Statistics, u"NDOP", u"DOP Northing", nullptr, u"%.1f", 0, 100, 0.1},
    {kEdop, Statistics, u"EDOP", u"DOP Easting", nullptr, u"%.1f", 0, 100, 0.1},
    {kTdop, Statistics, u"TDOP", u"DOP Time", nullptr, u"%.1f", 0, 100, 0.1},
    {kPdop, Statistics, u"PDOP", u"DOP Position", nullptr, u"%.1f", 0, 100, 0.1},
    {kClockDrift, Statistics, u"CLK Drift", u"Clock Drift", u"us/s", u"%.3f", -60000, 60000, 0.001},
    {kClockBias, Statistics, u"CLK Bias", u"Clock Bias", u"us", u"%.3f", -1000000, 1000000, 0.001},
    {kClockAccuracy, Statistics, u"CLK Acc", u"Clock Accuracy", u"ppm", u"%.6f", 0, 20, 1e-6},
    {kRtcDrift, Statistics, u"RTC Drift", u"RTC Drift", u"us/s", u"%.1f", -60000, 60000, 0.01},
    {kRtcBias, Statistics, u"RTC Bias", u"RTC Bias", u"us", u"%.1f", -1000000, 1000000, 0.001},
    {kNavigationValid, Bitmask, u"Nav. OK", u"Mode Navigation Valid", nullptr, kNoYes, 0, 1, 1},
    {kNavigationMode, Bitmask, u"Nav. Mode", u"Mode Navigation Solution", nullptr,
        u"DR\n1D\n2D\n2/3D\n3D\n3D+\nMASKED\n3D+EKF\nTIME", 0, 8, 1},
    {kDgpsUsed, Bitmask, u"DGPS", u"Mode DGPS Used", nullptr, kNoYes, 0, 1, 1},
    {kTrackedList, SatelliteList, u"Tracked SVs", u"Tracked SV List", nullptr, nullptr, kNoRange, kNoRange, kNoRange,
        false},
    {kSatellitesTracked, Statistics, u"SVs Tracked", u"SVs Tracked", nullptr, u"%.0f", 0, 32, 1},
    {kSatellitesReceived, Statistics, u"SVs Received", u"SVs Received", nullptr, u"%.0f", 0, 32, 1},
    {kUsedList, SatelliteList, u"Used SVs", u"Used SV List", nullptr, nullptr, kNoRange, kNoRange, kNoRange},
    {kSatellitesUsed, Statistics, u"SVs Used", u"SVs Used", nullptr, u"%.0f", 0, 32, 1},
    {kMeanCn0, Statistics, u"SV C/N0", u"SV C/N0", u"dBHz", u"%.2f", 0, 55, 0.01},
    {kDrTemperature, Statistics, u"DR Temp", u"DR Sensor Temperature", u"°C", u"%.1f", -128, 128, 1.0 / 256},
    {kDrSpeedTicks, Statistics, u"DR Speed Ticks", u"DR Speed Ticks", u"ticks", u"%.0f", -100000, 100000, 1},
    {kDrGyroMean, Statistics, u"DR Gyro Mean", u"DR Gyro Mean Value", nullptr, u"%.2f", 0, 100000, 0.01},
    {kDrTickScale, Statistics, u"DR Tick Scale", u"DR Tick Scale Factor", nullptr, u"%.6f", 0, 1000, 1e-6},
    {kDrGyroScale, Statistics, u"DR Gyro Scale", u"DR Gyro Scale Factor", nullptr, u"%.5f", -1000, 1000, 1e-5},
    {kDrGyroBias, Statistics, u"DR Gyro Bias", u"DR Gyro Bias", nullptr, u"%.5f", -1000, 1000, 1e-5},
    {kDrTickScaleAccuracy, Statistics, u"DR Tick Scale Acc", u"DR Tick Scale Factor Accuracy", u"%", u"%.2f",
        0, 100, 0.01},
    {kDrGyroScaleAccuracy, Statistics, u"DR Gyro Scale Acc", u"DR Gyro Scale Factor Accuracy", u"%", u"%.2f",
        0, 100, 0.01},
    {kDrGyroBiasAccuracy, Statistics, u"DR Gyro Bias Acc", u"DR Gyro Bias Accuracy", u"%", u"%.2f", 0, 100, 0.01},
};

// Per-satellite rows: the id holds the item number; "%d" in the names stands for the satellite.
const Row kSatelliteRows[] = {
    {kSatelliteMode, Bitmask, u"SV%d Mode", u"SV%d Mode Status", nullptr, u"No Signal\nTracking\nReady", 0, 2, 1},
    {kSatelliteUsed, Bitmask, u"SV%d Used", u"SV%d Mode Used", nullptr, kNoYes, 0, 1, 1},
    {kSatelliteElevation, Angle, u"SV%d El", u"SV%d Elevation", u"°", u"%.1f", -kPi / 2, kPi / 2, 0.01},
    {kSatelliteAzimuth, Angle360, u"SV%d Az", u"SV%d Azimuth", u"°", u"%.1f", -kPi, kPi, 0.01},
    {kSatelliteCn0, Statistics, u"SV%d C/N0", u"SV%d C/N0", u"dBHz", u"%.1f", 0, 65, 0.1},
    {kSatelliteChannel, Value, u"SV%d Ch", u"SV%d Channel", nullptr, u"%.0f", 0, 32, 1},
    {kSatellitePseudorangeResidual, Statistics, u"SV%d PR Res", u"SV%d Pseudorange Residual", u"m", u"%.2f",
        -1000, 1000, 0.01},
};
// clang-format on

template <typename T>
std::unique_ptr<CStorage> Make(std::u16string name, std::u16string description) {
    return std::make_unique<T>(std::move(name), std::move(description));
}

std::unique_ptr<CStorage> MakeEntry(Kind kind, std::u16string name, std::u16string description) {
    switch (kind) {
        case Value:
            return Make<CStorageValue>(std::move(name), std::move(description));
        case Statistics:
            return Make<CStorageValueStatistics>(std::move(name), std::move(description));
        case TimeUtc:
            return Make<CStorageValueStatisticsTimeUTC>(std::move(name), std::move(description));
        case TimeGps:
            return Make<CStorageValueStatisticsTimeGPS>(std::move(name), std::move(description));
        case TimeTag:
            return Make<CStorageValueStatisticsTTAG>(std::move(name), std::move(description));
        case Angle:
            return Make<CStorageValueStatisticsAngle>(std::move(name), std::move(description));
        case Angle360:
            return Make<CStorageValueStatisticsAngle360>(std::move(name), std::move(description));
        case Bitmask:
            return Make<CStorageValueBitmask>(std::move(name), std::move(description));
        case SatelliteList:
            return Make<CStorageSVList>(std::move(name), std::move(description));
    }
    return nullptr;
}

void Describe(CStorageValue& value, const Row& row, SnapshotSlot slot) {
    if (row.unit) value.SetUnit(row.unit);
    if (row.format) value.SetFormat(row.format, u"");
    value.SetRange(row.low, row.high, row.step);
    value.SetSnapshotSlot(slot);
}

void AddCommonEntry(CStorageDatabase& database, CEpochHistory& history, const Row& row) {
    auto entry = MakeEntry(row.kind, row.name, row.description);
    entry->SetGroupMask(1);
    if (row.kind == SatelliteList) {
        if (row.inSnapshot) static_cast<CStorageSVList&>(*entry).ReserveSnapshotSlots(history);
    } else {
        Describe(static_cast<CStorageValue&>(*entry), row, history.ReserveCommonSlot());
    }
    database.Add(row.id, std::move(entry));
}

void AddSatelliteEntry(CStorageDatabase& database, CEpochHistory& history, int slot, const Row& row) {
    const int number = SatelliteNumber(slot);
    auto entry = MakeEntry(row.kind, platform::FormatW(row.name, number), platform::FormatW(row.description, number));
    entry->SetGroupMask(1);
    Describe(static_cast<CStorageValue&>(*entry), row, history.PerSatelliteSlot(slot, row.id));
    database.Add(SatelliteItemId(slot, row.id), std::move(entry));
}

}  // namespace

void BuildDatabaseCatalogue(CStorageDatabase& database, CEpochHistory& history) {
    for (const Row& row : kCommonRows) AddCommonEntry(database, history, row);
    for (int slot = 0; slot < kSatelliteSlots; ++slot)
        for (const Row& row : kSatelliteRows) AddSatelliteEntry(database, history, slot, row);
}
