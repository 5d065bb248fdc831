#include "plugins/kvb/navigation/nav_vel_ned_message.h"

#include "shared/entry_ids.h"

namespace {

using enum KvbFieldType;

constexpr size_t kPayloadSize = 36;
constexpr double kHeadingUnit = 1e-5;

// clang-format off
constexpr KvbScaledField kVelNedFields[] = {
    {entry::kVelocityNorth, 4, I4, kHundredths},
    {entry::kVelocityEast, 8, I4, kHundredths},
    {entry::kVelocityDown, 12, I4, kHundredths},
    {entry::kSpeed, 16, U4, kHundredths},
    {entry::kSpeedOverGround, 20, U4, kHundredths},
    {entry::kVelocityAccuracy3D, 28, U4, kHundredths},
};
// clang-format on

}  // namespace

// iTOW, velN/velE/velD I4 at 4/8/12, speed U4 at 16, gSpeed U4 at 20, heading I4 at 24 (1e-5 degree),
// sAcc U4 at 28; the course accuracy at 32 is not used.

CNavVelNedMessage::CNavVelNedMessage(const KvbMessageInfo& info)
    : CKvbTimedMessage(info, kPayloadSize), values(kVelNedFields) {}

void CNavVelNedMessage::BindEntries(const CStorageDatabase* database) {
    values.Bind(database);
    courseOverGround = FindEntry(database, entry::kCourseOverGround);
}

bool CNavVelNedMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    bool changed = values.Store(payload);
    changed |= SetIfBound(courseOverGround, BearingRadians(payload.I4(24) * kHeadingUnit));
    return changed;
}
