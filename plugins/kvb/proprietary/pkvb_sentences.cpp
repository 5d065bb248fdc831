#include "plugins/kvb/proprietary/pkvb_sentences.h"

#include <algorithm>
#include <optional>

#include "plugins/kvb/navigation/kvb_scaled_entries.h"
#include "shared/entry_ids.h"
#include "shared/entry_store.h"
#include "shared/nmea_units.h"

// ---- CPkvbPositionSentence

namespace {

// $PKVB,nn,time,lat,N,lon,E,alt,status,hAcc,vAcc,speed,course,vVel,ageC,hDOP,vDOP,tDOP,svsUsed,...
// (sentences 01 and 02 give grid coordinates and their altitude in fields 3 to 7).
constexpr int kStatusField = 8;
constexpr int kSpeedField = 11;  // km/h
constexpr int kCourseField = 12;
constexpr int kSvsUsedField = 18;

struct PlainFieldRow {
    int field;
    uint16_t id;
};
constexpr PlainFieldRow kPlainFields[] = {
    {9, entry::kPositionAccuracyHorizontal},
    {10, entry::kPositionAccuracyVertical},
    {13, entry::kVelocityDown},
    {15, entry::kHdop},
    {16, entry::kVdop},
    {17, entry::kTdop},
};

}  // namespace

void CPkvbPositionSentence::BindEntries(const CStorageDatabase* database) {
    CPkvbTimedSentence::BindEntries(database);
    fixStatus.Bind(database);
    static_assert(std::size(kPlainFields) == std::tuple_size_v<decltype(plainFields)>);
    for (size_t i = 0; i < plainFields.size(); ++i)
        plainFields[i] = {kPlainFields[i].field, FindEntry(database, kPlainFields[i].id)};
    speedOverGround = FindEntry(database, entry::kSpeedOverGround);
    courseOverGround = FindEntry(database, entry::kCourseOverGround);
    svsUsed = FindEntry(database, entry::kSatellitesUsed);
}

bool CPkvbPositionSentence::DecodeFields(const NmeaFields& fields, CStorageDatabase&) {
    bool changed = StoreTime(fields);
    changed |= fixStatus.StoreStatusCode(fields.Text(kStatusField));
    for (const PlainField& plain : plainFields) changed |= Store(plain.entry, fields.Number(plain.field));
    if (const std::optional<double> speed = fields.Number(kSpeedField); speed && *speed >= 0)
        changed |= SetIfBound(speedOverGround, *speed * kMetresPerSecondPerKmh);
    changed |= StoreBearing(courseOverGround, fields.Number(kCourseField));
    if (const std::optional<int> used = fields.Integer(kSvsUsedField)) changed |= SetIfBound(svsUsed, *used);
    return changed;
}

// ---- CPkvbGeodeticSentence

namespace {
constexpr int kLatitudeField = 3;   // and its hemisphere in 4
constexpr int kLongitudeField = 5;  // and its hemisphere in 6
constexpr int kHeightField = 7;     // above the ellipsoid, m
}  // namespace

void CPkvbGeodeticSentence::BindEntries(const CStorageDatabase* database) {
    CPkvbPositionSentence::BindEntries(database);
    latitude = FindEntry(database, entry::kLatitude);
    longitude = FindEntry(database, entry::kLongitude);
    height = FindEntry(database, entry::kHeightAboveEllipsoid);
}

bool CPkvbGeodeticSentence::DecodeFields(const NmeaFields& fields, CStorageDatabase& database) {
    bool changed = CPkvbPositionSentence::DecodeFields(fields, database);
    changed |= Store(latitude, fields.Latitude(kLatitudeField));
    changed |= Store(longitude, fields.Longitude(kLongitudeField));
    changed |= Store(height, fields.Number(kHeightField));
    return changed;
}

// ---- CPkvbSatelliteSentence

namespace {

// $PKVB,03,n, then per satellite: number, state, azimuth, elevation, C/N0, lock time.
constexpr int kCountField = 2;
constexpr int kFirstSatelliteField = 3;
constexpr int kFieldsPerSatellite = 6;

// "U" used in the fix, "e" ephemeris known but not used, "-" neither.
bool EphemerisKnown(std::optional<char> state) { return state == 'U' || state == 'E'; }

// Mode status choices of the satellite entries.
constexpr int kNoSignal = 0;
constexpr int kTracking = 1;
constexpr int kReady = 2;

}  // namespace

struct CPkvbSatelliteSentence::SatelliteReport {
    int slot;
    int modeStatus;
    std::optional<double> cn0;
    std::optional<double> azimuth;    // degrees
    std::optional<double> elevation;  // degrees

    static std::optional<SatelliteReport> Read(const NmeaFields& fields, int first) {
        const std::optional<int> number = fields.Integer(first);
        // The receiver's own numbers, as in its binary messages: 33 to 119 have no slot.
        const int slot = number ? SatelliteSlot(*number) : -1;
        if (slot < 0) return std::nullopt;
        SatelliteReport report{slot, kNoSignal, fields.Number(first + 4), fields.Number(first + 2),
                               fields.Number(first + 3)};
        if (report.cn0 && *report.cn0 <= 0) report.cn0.reset();
        if (report.cn0) report.modeStatus = EphemerisKnown(fields.Letter(first + 1)) ? kReady : kTracking;
        if (report.elevation && (*report.elevation < -90 || *report.elevation > 90)) report.elevation.reset();
        return report;
    }
};

void CPkvbSatelliteSentence::BindEntries(const CStorageDatabase* database) {
    satellites.Bind(database);
}

bool CPkvbSatelliteSentence::DecodeFields(const NmeaFields& fields, CStorageDatabase&) {
    const std::optional<int> count = fields.Integer(kCountField);
    if (!count || *count < 0) return false;
    // Each group takes six fields, so no more groups than that can stand in the sentence.
    const int groups = std::min(*count, FrameLength() / kFieldsPerSatellite);
    SatelliteMask tracked;
    bool changed = false;
    for (int i = 0; i < groups; ++i) {
        const std::optional<SatelliteReport> report =
            SatelliteReport::Read(fields, kFirstSatelliteField + kFieldsPerSatellite * i);
        if (!report) continue;
        changed |= StoreSatellite(*report);
        if (report->modeStatus != kNoSignal) tracked.Set(report->slot);
    }
    changed |= satellites.StoreTracked(tracked, true);
    return changed;
}

bool CPkvbSatelliteSentence::StoreSatellite(const SatelliteReport& report) const {
    bool changed = SetIfBound(satellites.modeStatus[report.slot], report.modeStatus);
    changed |= Store(satellites.cn0[report.slot], report.cn0);
    changed |= StoreBearing(satellites.azimuth[report.slot], report.azimuth);
    if (report.elevation) changed |= SetIfBound(satellites.elevation[report.slot], Radians(*report.elevation));
    return changed;
}

// ---- CPkvbTimeSentence

namespace {
// $PKVB,04,time,date,UTC time of week,week,GPS time of week (s),clock bias (ns),clock drift (ns/s),...
constexpr int kWeekField = 5;
constexpr int kTimeOfWeekField = 6;
constexpr int kClockBiasField = 7;
constexpr int kClockDriftField = 8;
}  // namespace

void CPkvbTimeSentence::BindEntries(const CStorageDatabase* database) {
    CPkvbTimedSentence::BindEntries(database);
    gpsTime = FindEntry<CStorageValueStatisticsTimeGPS>(database, entry::kGpsTime);
    clockBias = FindEntry(database, entry::kClockBias);
    clockDrift = FindEntry(database, entry::kClockDrift);
}

bool CPkvbTimeSentence::DecodeFields(const NmeaFields& fields, CStorageDatabase&) {
    bool changed = StoreTime(fields);
    const std::optional<double> week = fields.Number(kWeekField);
    const std::optional<double> timeOfWeek = fields.Number(kTimeOfWeekField);
    if (gpsTime && week && timeOfWeek) changed |= gpsTime->SetGpsTime(*timeOfWeek, *week);
    if (const std::optional<double> bias = fields.Number(kClockBiasField))
        changed |= SetIfBound(clockBias, *bias * kThousandths);
    if (const std::optional<double> drift = fields.Number(kClockDriftField))
        changed |= SetIfBound(clockDrift, *drift * kThousandths);
    return changed;
}
