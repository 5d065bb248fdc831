#include "plugins/kvb/pages/nav_ekf_status_page.h"

namespace {

// Payload 36: speed ticks I4 at 0, period I4 at 4 (ms), mean gyro U4 at 8 (hundredths), temperature
// I2 at 12 (1/256 degree), direction U1 at 14, calibration states U1 at 15 (two bits each: tick
// scale, gyro scale, gyro bias), tick scale divisor I4 at 16, gyro bias I4 at 20, gyro scale I4 at
// 24, their accuracies I2 at 28, 30, 32, flags U1 at 34, and the marker of fine scales at 35.
constexpr uint8_t kFineMarker = 0xDA;
constexpr bool kExtended = true;

constexpr KvbColumn kColumns[] = {{u"Param", 120}, {u"Value", 120}, {u"Unit", 160}};
constexpr KvbRow kRows[] = {
    {u"Sensor Data"},
    {u"   Speed Ticks", u"[Ticks/Period]"},
    {u"   Period", u"[s]"},
    {u"   Mean Gyro", u"[0..65535]"},
    {nullptr, u"[mV, deg/s]", kExtended},
    {u"   Temperature", u"[\u00B0C]"},
    {u"   Direction"},
    {u"Filter Data:"},
    {u"   Sensor Data Used"},
    {u"   Sensor Failure"},
    {u"   GPS Data Used"},
    {u"   Scale Factor Ticks"},
    {u"   Scale Factor Gyro"},
    {u"   Bias Gyro"},
};

// Flags: the sensor data used in bits 0-3, the GPS data in bits 4-5, the sensors fitted in 6-7.
constexpr uint8_t kTicks = 0x01;
constexpr uint8_t kDirection = 0x02;
constexpr uint8_t kGyro = 0x04;
constexpr uint8_t kTemperature = 0x08;
constexpr uint8_t kGyroFitted = 0x40;
constexpr uint8_t kWheelTickFitted = 0x80;

const char16_t* SensorsFitted(uint8_t flags) {
    switch (flags & (kGyroFitted | kWheelTickFitted)) {
        case kGyroFitted:
            return u"GYRO";
        case kWheelTickFitted:
            return u"WHEELTICK";
        case kGyroFitted | kWheelTickFitted:
            return u"WHEELTICK+GYRO";
    }
    return u"";
}

std::u16string Names(uint8_t bits, std::initializer_list<const char16_t*> names) {
    std::u16string text;
    int bit = 0;
    for (const char16_t* name : names)
        if (bits & (1 << bit++)) text += name;
    return text.empty() ? u"- " : text;
}

std::u16string SensorData(uint8_t bits) { return Names(bits, {u"Ticks ", u"Dir ", u"Gyro ", u"Temp "}); }

// A fitted sensor whose data the filter does not use: wheel ticks bring ticks and direction, the
// gyro its rate and temperature.
uint8_t FailedSensors(uint8_t flags) {
    uint8_t expected = 0;
    if (flags & kWheelTickFitted) expected |= kTicks | kDirection;
    if (flags & kGyroFitted) expected |= kGyro | kTemperature;
    return expected & ~flags;
}

// Narrow, for the cell's "%s".
const char* CalibrationState(uint8_t states, int field) {
    static constexpr const char* kNames[] = {"Init", "Calibrating", "Coarse Calib", "Fine Calib"};
    return kNames[(states >> (2 * field)) & 3];
}

// One calibrated value: where it is, its accuracy and its calibration state, and how each scale
// shows it.
struct Calibration {
    size_t offset;
    size_t accuracyOffset;
    int stateField;
    const char16_t* fineFormat;
    const char16_t* normalFormat;
    double fineScale;
    double normalScale;
    // The tick scale factor travels as its divisor.
    bool divisor = false;
};

constexpr Calibration kTickScale{16, 28, 0, u"%.1f [Ticks/km]", u"%.1f (%.1f%%)", 1e8, 1e6, true};
constexpr Calibration kGyroScale{24, 32, 1, u"%.3f [-]", u"%.3f (%.1f%%)", 1e-5, 0.001};
constexpr Calibration kGyroBias{20, 30, 2, u"%.5f [rad/s]", u"%.3f (%.1f%%)", 1e-5, 0.001};

double CalibratedValue(const Calibration& c, const KvbPayload& payload, bool fine) {
    const double raw = payload.I4(c.offset);
    const double scale = fine ? c.fineScale : c.normalScale;
    return c.divisor ? scale / raw : raw * scale;
}

KvbRowCells CalibrationRow(const Calibration& c, const KvbPayload& payload) {
    const bool fine = payload.U1(35) == kFineMarker;
    const double value = CalibratedValue(c, payload, fine);
    const int accuracy = payload.I2(c.accuracyOffset);
    if (!fine) return KvbValue(KvbCell(c.normalFormat, value, accuracy * 0.1));
    return {{u"", KvbCell(c.fineFormat, value),
             KvbCell(u"%s %.2f%%", CalibrationState(payload.U1(15), c.stateField), accuracy * 0.01)}};
}

KvbRowCells RawGyroRow(uint32_t meanGyro) {
    return {{KvbCell(u"        %.5f", meanGyro * 7.62939453125e-7),
             KvbCell(u"%.3f", (meanGyro * 0.01 - 32768) * 0.0030517578125)}};
}

}  // namespace

CNavEkfStatusPage::CNavEkfStatusPage() : CKvbListPage(kColumns, kRows) {}

bool CNavEkfStatusPage::Fits(const KvbPayload& payload) const { return payload.Size() == 36; }

std::vector<KvbRowCells> CNavEkfStatusPage::FixedRows(const KvbPayload& payload) const {
    const uint8_t flags = payload.U1(34);
    const uint32_t meanGyro = payload.U4(8);
    return {
        KvbValue(SensorsFitted(flags)),
        KvbValue(KvbCell(u"%i", payload.I4(0))),
        KvbValue(KvbCell(u"%.3f s", payload.I4(4) * 0.001)),
        KvbValue(KvbCell(u"%.2f", meanGyro * 0.01)),
        RawGyroRow(meanGyro),
        KvbValue(KvbCell(u"%.2f", payload.I2(12) * 0.00390625)),
        KvbValue(payload.U1(14) == 1 ? u"Forward" : u"Backward"),
        {},
        KvbValue(SensorData(flags)),
        KvbValue(SensorData(FailedSensors(flags))),
        KvbValue(Names(flags >> 4, {u"GPSPos ", u"GPSVel "})),
        CalibrationRow(kTickScale, payload),
        CalibrationRow(kGyroScale, payload),
        CalibrationRow(kGyroBias, payload),
    };
}

const CNavEkfStatusPage kNavEkfStatusPage;
