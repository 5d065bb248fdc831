#include "nav_scaled_messages.h"

#include "kvb_entry_ids.h"

namespace {

using enum KvbFieldType;

// 1e-7 degree in radians.
constexpr double kAngleUnit = kKvbPi * 5.555555555555555e-10;

// clang-format off
constexpr KvbScaledField kPosEcefFields[] = {
    {ENTRY_ECEF_X, 4, I4, kHundredths},
    {ENTRY_ECEF_Y, 8, I4, kHundredths},
    {ENTRY_ECEF_Z, 12, I4, kHundredths},
    {ENTRY_POSITION_ACCURACY_3D, 16, U4, kHundredths},
};

constexpr KvbScaledField kPosLlhFields[] = {
    {ENTRY_LONGITUDE, 4, I4, kAngleUnit},
    {ENTRY_LATITUDE, 8, I4, kAngleUnit},
    {ENTRY_ALTITUDE_HAE, 12, I4, kThousandths},
    {ENTRY_ALTITUDE_MSL, 16, I4, kThousandths},
    {ENTRY_POSITION_ACCURACY_H, 20, U4, kThousandths},
    {ENTRY_POSITION_ACCURACY_V, 24, U4, kThousandths},
};

constexpr KvbScaledField kDopFields[] = {
    {ENTRY_GDOP, 4, U2, kHundredths},
    {ENTRY_PDOP, 6, U2, kHundredths},
    {ENTRY_TDOP, 8, U2, kHundredths},
    {ENTRY_VDOP, 10, U2, kHundredths},
    {ENTRY_HDOP, 12, U2, kHundredths},
    {ENTRY_NDOP, 14, U2, kHundredths},
    {ENTRY_EDOP, 16, U2, kHundredths},
};

constexpr KvbScaledField kVelEcefFields[] = {
    {ENTRY_VELOCITY_X, 4, I4, kHundredths},
    {ENTRY_VELOCITY_Y, 8, I4, kHundredths},
    {ENTRY_VELOCITY_Z, 12, I4, kHundredths},
    {ENTRY_VELOCITY_ACCURACY_3D, 16, U4, kHundredths},
};
// clang-format on

}  // namespace

CNavPosEcefMessage::CNavPosEcefMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 20, kPosEcefFields) {}

CNavPosLlhMessage::CNavPosLlhMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 28, kPosLlhFields) {}

CNavDopMessage::CNavDopMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 18, kDopFields) {}

CNavVelEcefMessage::CNavVelEcefMessage(const KvbMessageInfo& info) : CKvbScaledMessage(info, 20, kVelEcefFields) {}
