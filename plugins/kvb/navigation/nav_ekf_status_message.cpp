#include "plugins/kvb/navigation/nav_ekf_status_message.h"

#include "shared/entry_ids.h"

namespace {

using enum KvbFieldType;

constexpr size_t kPayloadSize = 36;
constexpr size_t kTickScaleOffset = 16;
constexpr size_t kMarkerOffset = 35;
constexpr uint8_t kFineScaleMarker = 0xDA;
constexpr float kTickScaleNumerator = 1e6f;
constexpr float kFineTickScaleNumerator = 1e8f;

// Speed ticks I4 at 0, mean gyro U4 at 8, temperature I2 at 12 (1/256 degree); the period at 4,
// the direction at 14, the calibration states at 15 and the flags at 34 are not values.
// clang-format off
constexpr KvbScaledField kSensorFields[] = {
    {entry::kDrSpeedTicks, 0, I4, 1},
    {entry::kDrGyroMean, 8, U4, kHundredths},
    {entry::kDrTemperature, 12, I2, 1.0 / 256},
};
// clang-format on

// Gyro bias I4 at 20, gyro scale factor I4 at 24, then the accuracies I2 (%) of the tick scale
// factor at 28, the gyro bias at 30 and the gyro scale factor at 32.
// clang-format off
constexpr KvbScaledField kCalibrationFields[] = {
    {entry::kDrGyroBias, 20, I4, 0.001},
    {entry::kDrGyroScale, 24, I4, 0.001},
    {entry::kDrTickScaleAccuracy, 28, I2, 0.1},
    {entry::kDrGyroBiasAccuracy, 30, I2, 0.1},
    {entry::kDrGyroScaleAccuracy, 32, I2, 0.1},
};

constexpr KvbScaledField kFineCalibrationFields[] = {
    {entry::kDrGyroBias, 20, I4, 1e-5},
    {entry::kDrGyroScale, 24, I4, 1e-5},
    {entry::kDrTickScaleAccuracy, 28, I2, 0.01},
    {entry::kDrGyroBiasAccuracy, 30, I2, 0.01},
    {entry::kDrGyroScaleAccuracy, 32, I2, 0.01},
};
// clang-format on

}  // namespace

CNavEkfStatusMessage::CNavEkfStatusMessage(const KvbMessageInfo& info)
    : CKvbNavMessage(info, kPayloadSize),
      sensorValues(kSensorFields),
      calibration(kCalibrationFields),
      fineCalibration(kFineCalibrationFields) {}

void CNavEkfStatusMessage::BindEntries(const CStorageDatabase* database) {
    sensorValues.Bind(database);
    calibration.Bind(database);
    fineCalibration.Bind(database);
    tickScale = FindEntry(database, entry::kDrTickScale);
}

bool CNavEkfStatusMessage::DecodePayload(const KvbPayload& payload, CStorageDatabase&) {
    const bool fine = payload.U1(kMarkerOffset) == kFineScaleMarker;
    bool changed = sensorValues.Store(payload);
    changed |= StoreTickScale(payload.I4(kTickScaleOffset), fine);
    changed |= (fine ? fineCalibration : calibration).Store(payload);
    return changed;
}

// The receiver sends the tick scale factor as its divisor, which may be 0 before calibration.
bool CNavEkfStatusMessage::StoreTickScale(int32_t divisor, bool fine) const {
    if (divisor == 0) return false;
    const float numerator = fine ? kFineTickScaleNumerator : kTickScaleNumerator;
    return SetIfBound(tickScale, numerator / static_cast<float>(divisor));
}
