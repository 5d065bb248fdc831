#include "plugins/kvb/navigation/nav_scaled_messages.h"

#include "shared/entry_ids.h"

namespace {

using enum KvbFieldType;

// 1e-7 degree in radians.
constexpr double kAngleUnit = kPi * 5.555555555555555e-10;

// clang-format off
constexpr KvbScaledField kPosEcefFields[] = {
    {entry::kEcefX, 4, I4, kHundredths},
    {entry::kEcefY, 8, I4, kHundredths},
    {entry::kEcefZ, 12, I4, kHundredths},
    {entry::kPositionAccuracy3D, 16, U4, kHundredths},
};

constexpr KvbScaledField kPosLlhFields[] = {
    {entry::kLongitude, 4, I4, kAngleUnit},
    {entry::kLatitude, 8, I4, kAngleUnit},
    {entry::kHeightAboveEllipsoid, 12, I4, kThousandths},
    {entry::kHeightAboveSeaLevel, 16, I4, kThousandths},
    {entry::kPositionAccuracyHorizontal, 20, U4, kThousandths},
    {entry::kPositionAccuracyVertical, 24, U4, kThousandths},
};

constexpr KvbScaledField kDopFields[] = {
    {entry::kGdop, 4, U2, kHundredths},
    {entry::kPdop, 6, U2, kHundredths},
    {entry::kTdop, 8, U2, kHundredths},
    {entry::kVdop, 10, U2, kHundredths},
    {entry::kHdop, 12, U2, kHundredths},
    {entry::kNdop, 14, U2, kHundredths},
    {entry::kEdop, 16, U2, kHundredths},
};

constexpr KvbScaledField kVelEcefFields[] = {
    {entry::kVelocityX, 4, I4, kHundredths},
    {entry::kVelocityY, 8, I4, kHundredths},
    {entry::kVelocityZ, 12, I4, kHundredths},
    {entry::kVelocityAccuracy3D, 16, U4, kHundredths},
};
// clang-format on

}  // namespace

CNavPosEcefMessage::CNavPosEcefMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 20, kPosEcefFields) {}

CNavPosLlhMessage::CNavPosLlhMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 28, kPosLlhFields) {}

CNavDopMessage::CNavDopMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 18, kDopFields) {}

CNavVelEcefMessage::CNavVelEcefMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 20, kVelEcefFields) {}
