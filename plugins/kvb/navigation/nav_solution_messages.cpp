#include "plugins/kvb/navigation/nav_solution_messages.h"

#include "shared/entry_ids.h"

namespace {

using enum KvbFieldType;

constexpr size_t kStatusPayloadSize = 16;
constexpr size_t kSolPayloadSize = 52;
// NAV-SOL flags: week number and time of week are valid.
constexpr uint8_t kWeekAndTimeValid = 0x0C;

// clang-format off
constexpr KvbScaledField kSolFields[] = {
    {entry::kEcefX, 12, I4, kHundredths},
    {entry::kEcefY, 16, I4, kHundredths},
    {entry::kEcefZ, 20, I4, kHundredths},
    {entry::kPositionAccuracy3D, 24, U4, kHundredths},
    {entry::kVelocityX, 28, I4, kHundredths},
    {entry::kVelocityY, 32, I4, kHundredths},
    {entry::kVelocityZ, 36, I4, kHundredths},
    {entry::kVelocityAccuracy3D, 40, U4, kHundredths},
    {entry::kPdop, 44, U2, kHundredths},
    {entry::kSatellitesUsed, 47, U1, 1},
};
// clang-format on

}  // namespace

// ---- NAV-STATUS: iTOW, gpsFix U1 at 4, flags U1 at 5, ttff U4 at 8 (ms), msss U4 at 12 (ms)

CNavStatusMessage::CNavStatusMessage(const KvbMessageInfo& info) : CKvbTimedMessage(info, kStatusPayloadSize) {}

void CNavStatusMessage::Reset() {
    CKvbTimedMessage::Reset();
    lastTimeToFirstFix = 0;
}

void CNavStatusMessage::BindEntries(const CStorageDatabase* database) {
    fixStatus.Bind(database);
    timeSinceStartup = FindEntry(database, entry::kTimeSinceStartup);
    timeToFirstFix = FindEntry(database, entry::kTimeToFirstFix);
}

bool CNavStatusMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    bool changed = fixStatus.Store(payload.U1(4), payload.U1(5));
    changed |= SetIfBound(timeSinceStartup, payload.U4(12) * kThousandths);
    changed |= StoreTimeToFirstFix(payload.U4(8));
    return changed;
}

bool CNavStatusMessage::StoreTimeToFirstFix(uint32_t milliseconds) {
    if (!timeToFirstFix) return false;
    const bool isNewFix = milliseconds != 0 && milliseconds != lastTimeToFirstFix;
    lastTimeToFirstFix = milliseconds;
    return isNewFix && timeToFirstFix->SetValue(milliseconds * kThousandths);
}

// ---- NAV-SOL: iTOW, fTOW I4 at 4, week I2 at 8, gpsFix U1 at 10, flags U1 at 11, then the scaled fields

CNavSolMessage::CNavSolMessage(const KvbMessageInfo& info)
    : CKvbTimedMessage(info, kSolPayloadSize), values(kSolFields) {}

void CNavSolMessage::BindEntries(const CStorageDatabase* database) {
    values.Bind(database);
    fixStatus.Bind(database);
    gpsTime = FindEntry<CStorageValueStatisticsTimeGPS>(database, entry::kGpsTime);
}

bool CNavSolMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    const uint8_t flags = payload.U1(11);
    bool changed = false;
    if ((flags & kWeekAndTimeValid) == kWeekAndTimeValid) changed |= StoreGpsTime(gpsTime, payload);
    changed |= fixStatus.Store(payload.U1(10), flags);
    changed |= values.Store(payload);
    return changed;
}
