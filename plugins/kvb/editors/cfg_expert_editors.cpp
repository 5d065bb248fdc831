#include "plugins/kvb/editors/cfg_expert_editors.h"

#include <array>

#include "plugins/kvb/resources/kvb_editor_ids.h"

namespace {

using namespace kvb_res;

// ---- CFG-NAVX: 0 min SVs, 1 max SVs, 2 fix mode, 3 solution filter, 4 ionosphere model, 5 time
// mode, 6 reset action, 7 reserved, 8 min elevation [deg], 9 min C/N0 [dBHz], 10-11 PDOP mask x 10,
// 12-13 and 14-15 position and time accuracy masks [m], 16-19 survey-in time [s], 20-23 survey-in
// accuracy [mm], 24-27 fixed altitude [cm] signed, 28-31 reserved. The 48-byte form adds the
// antenna: 32 type, 33 mount, 34-35 reserved, 36-39 height [mm] signed, 40-41 cable delay [ns]
// signed, 42-47 reserved.
constexpr const char16_t* kNavxFixModes[] = {u"1 - 2D only", u"2 - Auto 2D/3D"};
constexpr const char16_t* kNavxFilters[] = {u"0 - Disabled", u"1 - LSQR", u"2 - Kalman"};
constexpr const char16_t* kNavxIonosphere[] = {u"0 - None", u"1 - Klobuchar", u"2 - SBAS"};
constexpr const char16_t* kNavxTimeModes[] = {u"1 - Survey-in", u"2 - Fixed position"};
constexpr const char16_t* kNavxResets[] = {u"1 - KF Reset", u"2 - Resync", u"3 - Kill SVs", u"4 - Cold Start"};
constexpr const char16_t* kNavxAntennas[] = {u"0 - Unknown",           u"1 - Volute",          u"2 - Patch",
                                             u"3 - Patch/Groundplane", u"4 - Patch/Chokering", u"5 - Mini Volute",
                                             u"6 - On-board Patch"};
constexpr const char16_t* kNavxMounts[] = {u"1 - Fixed", u"2 - Chao", u"3 - STANAG", u"4 - Magnet", u"5 - SBAS"};
constexpr EditorList kNavxLists[] = {
    {cfgnavx::kFixMode, kNavxFixModes},   {cfgnavx::kFilter, kNavxFilters}, {cfgnavx::kIonosphere, kNavxIonosphere},
    {cfgnavx::kTimeMode, kNavxTimeModes}, {cfgnavx::kReset, kNavxResets},   {cfgnavx::kAntennaType, kNavxAntennas},
    {cfgnavx::kMount, kNavxMounts},
};
constexpr EditorField kNavxFields[] = {
    NumberField(cfgnavx::kMinSvs, 0, 1),
    NumberField(cfgnavx::kMaxSvs, 1, 1),
    ChoiceField(cfgnavx::kFixMode, 2, 1),
    ChoiceField(cfgnavx::kFilter, 3, 1),
    ChoiceField(cfgnavx::kIonosphere, 4, 1),
    ChoiceField(cfgnavx::kTimeMode, 5, 1),
    ChoiceField(cfgnavx::kReset, 6, 1),
    NumberField(cfgnavx::kMinElevation, 8, 1),
    NumberField(cfgnavx::kMinCn0, 9, 1),
    NumberField(cfgnavx::kPdop, 10, 2, 10, 1),
    NumberField(cfgnavx::kPAccuracy, 12, 2),
    NumberField(cfgnavx::kTAccuracy, 14, 2),
    NumberField(cfgnavx::kSurveyTime, 16, 4),
    NumberField(cfgnavx::kSurveyAccuracy, 20, 4, 1000, 3),
    SignedField(cfgnavx::kFixedAltitude, 24, 4, 100, 2),
    ChoiceField(cfgnavx::kAntennaType, 32, 1),
    ChoiceField(cfgnavx::kMount, 33, 1),
    SignedField(cfgnavx::kAntennaHeight, 36, 4, 1000, 3),
    SignedField(cfgnavx::kCableDelay, 40, 2),
};

// ---- CFG-TST: 0 test satellite (0 none), 1 channel, 2 flags (bit 0 generate the signal, bit 1 add
// noise), 3 reserved, 4-7 Doppler [Hz] signed, 8-11 code phase [1/1024 chip], 12 signal level
// [dBHz], 13-15 reserved, 16-19 duration [s], 20-43 reserved. The 48-byte form adds 44-47, further
// test flags.
constexpr auto TstSatellites() {
    std::array<const char16_t*, 33> items{u"0 - NONE"};
    constexpr const char16_t* kGps[] = {
        u"1 - GPS",  u"2 - GPS",  u"3 - GPS",  u"4 - GPS",  u"5 - GPS",  u"6 - GPS",  u"7 - GPS",  u"8 - GPS",
        u"9 - GPS",  u"10 - GPS", u"11 - GPS", u"12 - GPS", u"13 - GPS", u"14 - GPS", u"15 - GPS", u"16 - GPS",
        u"17 - GPS", u"18 - GPS", u"19 - GPS", u"20 - GPS", u"21 - GPS", u"22 - GPS", u"23 - GPS", u"24 - GPS",
        u"25 - GPS", u"26 - GPS", u"27 - GPS", u"28 - GPS", u"29 - GPS", u"30 - GPS", u"31 - GPS", u"32 - GPS"};
    for (size_t at = 0; at < std::size(kGps); ++at) items[at + 1] = kGps[at];
    return items;
}
constexpr auto kTstSatellites = TstSatellites();
constexpr EditorList kTstLists[] = {{cfgtst::kSatellite, kTstSatellites}};
constexpr EditorField kTstFields[] = {
    ChoiceField(cfgtst::kSatellite, 0, 1, 32), NumberField(cfgtst::kChannel, 1, 1),
    BitField(cfgtst::kSignal, 2, 1, 0),        BitField(cfgtst::kNoise, 2, 1, 1),
    SignedField(cfgtst::kDoppler, 4, 4),       NumberField(cfgtst::kCodePhase, 8, 4),
    NumberField(cfgtst::kLevel, 12, 1),        NumberField(cfgtst::kDuration, 16, 4),
    HexField(cfgtst::kFlags, 44, 4),
};

// ---- CFG-RXMX: 0 tracking mode, 1 sensitivity, 2 correlator spacing, 3 reserved, 4-5 acquisition
// and 6-7 reacquisition time-outs [s], 8-11 search window [Hz], 12 channels, 13 flags (bit 0
// multipath mitigation, bit 1 jamming detection), 14-15 reserved.
constexpr const char16_t* kRxmxModes[] = {u"0 - CTM", u"1 - FxW", u"2 - ITM", u"3 - na", u"4 - na"};
constexpr const char16_t* kRxmxSensitivities[] = {u"0 - Auto",    u"4 - Fast",      u"8 - Normal",
                                                  u"16 - HiSens", u"32 - MegaSens", u"4 - LoSens"};
constexpr const char16_t* kRxmxSpacings[] = {u"0 - 1/2 IEML 1/2 QEML",   u"1 - 1/4 IEML 1/2 IEML",
                                             u"2 - 1/8 IEML 1/4 IEML",   u"3 - 1/16 IEML 1/8 IEML",
                                             u"4 - 1/32 IEML 1/16 IEML", u"5 - 1/64 IEML 1/16 IEML"};
constexpr EditorList kRxmxLists[] = {{cfgrxmx::kTrackingMode, kRxmxModes},
                                     {cfgrxmx::kSensitivity, kRxmxSensitivities},
                                     {cfgrxmx::kSpacing, kRxmxSpacings}};
constexpr EditorField kRxmxFields[] = {
    ChoiceField(cfgrxmx::kTrackingMode, 0, 1),
    ChoiceField(cfgrxmx::kSensitivity, 1, 1),
    ChoiceField(cfgrxmx::kSpacing, 2, 1),
    NumberField(cfgrxmx::kAcquisitionTimeout, 4, 2),
    NumberField(cfgrxmx::kReacquisitionTimeout, 6, 2),
    NumberField(cfgrxmx::kSearchWindow, 8, 4),
    NumberField(cfgrxmx::kChannels, 12, 1),
    BitField(cfgrxmx::kMultipath, 13, 1, 0),
    BitField(cfgrxmx::kJamming, 13, 1, 1),
};

// ---- CFG-RXMOSC: 0 oscillator type, 1-3 reserved, 4-7 nominal frequency [Hz], 8-9 stability
// [ppb], 10-11 ageing [ppb/year], 12-15 warm-up time [ms], 16-19 frequency offset [ppb] signed,
// 20-23 temperature drift [ppb/K]. The 28-byte form adds 24-27, the calibration word.
constexpr const char16_t* kOscillators[] = {u"0 - TCXO 0.5 ppm, 26.000 MHz, clipped sine",
                                            u"1 - TCXO 1.0 ppm, 26.000 MHz, clipped sine",
                                            u"2 - TCXO 2.0 ppm, 23.104 MHz, clipped sine",
                                            u"3 - TCXO 2.5 ppm, 16.368 MHz, CMOS", u"4 - Crystal 10 ppm, 16.368 MHz"};
constexpr EditorList kRxmoscLists[] = {{cfgrxmosc::kType, kOscillators}};
constexpr EditorField kRxmoscFields[] = {
    ChoiceField(cfgrxmosc::kType, 0, 1, 4),           NumberField(cfgrxmosc::kFrequency, 4, 4),
    NumberField(cfgrxmosc::kStability, 8, 2),         NumberField(cfgrxmosc::kAging, 10, 2),
    NumberField(cfgrxmosc::kWarmUp, 12, 4),           SignedField(cfgrxmosc::kOffset, 16, 4),
    NumberField(cfgrxmosc::kTemperatureDrift, 20, 4), HexField(cfgrxmosc::kCalibration, 24, 4),
};

// ---- CFG-ITM: 0-3 flags (bit 0 interrupted tracking, 1 wake on the timer, 2 wake on the pin),
// 4-7 tracking time, 8-11 sleep time, 12-15 longest acquisition [ms], 16 min SVs, 17 min C/N0
// [dBHz], 18-19 reserved, 20-23 grace period [ms], 24-27 reserved.
constexpr EditorField kItmFields[] = {
    BitField(cfgitm::kEnable, 0, 4, 0),       BitField(cfgitm::kWakeOnTimer, 0, 4, 1),
    BitField(cfgitm::kWakeOnPin, 0, 4, 2),    NumberField(cfgitm::kTrackTime, 4, 4),
    NumberField(cfgitm::kSleepTime, 8, 4),    NumberField(cfgitm::kAcquisitionTime, 12, 4),
    NumberField(cfgitm::kMinSvs, 16, 1),      NumberField(cfgitm::kMinCn0, 17, 1),
    NumberField(cfgitm::kGracePeriod, 20, 4),
};

// ---- CFG-EKF: offset 1's bit 0x04 is "Set Hardwareinterface"; offset 12 holds the pulses per km
// in hundreds.
constexpr const char16_t* kEkfConverters[] = {u"0 - LT1860", u"1 - ADS7816", u"2 - ADS8320"};
constexpr const char16_t* kEkfSensors[] = {u"0 - none", u"1 - LM70", u"2 - DS1722"};
constexpr const char16_t* kEkfPolarities[] = {u"0 - High=Forward", u"1 - High=Backward"};
constexpr const char16_t* kEkfAxes[] = {u"0 - Clockwise Rotation", u"1 - Counterclockwise Rotation"};
constexpr EditorList kEkfLists[] = {{cfgekf::kConverter, kEkfConverters},
                                    {cfgekf::kTemperatureSensor, kEkfSensors},
                                    {cfgekf::kDirectionPolarity, kEkfPolarities},
                                    {cfgekf::kGyroAxis, kEkfAxes}};
constexpr EditorField kEkfFields[] = {
    ClearBitField(cfgekf::kEnabled, 0, 1, 0),
    BitField(cfgekf::kClearTemperature, 1, 1, 1),
    BitField(cfgekf::kSetHardware, 1, 1, 2),
    BitField(cfgekf::kSetPulses, 1, 1, 4),
    BitField(cfgekf::kSetGyro, 1, 1, 5),
    BitField(cfgekf::kSetFlash, 1, 1, 6),
    IndexField(cfgekf::kDirectionPolarity, 3, 1, 0, 1),
    IndexField(cfgekf::kGyroAxis, 3, 1, 1, 1),
    ChoiceField(cfgekf::kConverter, 4, 1, 2),
    ChoiceField(cfgekf::kTemperatureSensor, 5, 1, 2),
    NumberField(cfgekf::kDirectionPin, 6, 1),
    NumberField(cfgekf::kSpeedPin, 7, 1),
    NumberField(cfgekf::kSensitivity, 8, 2),
    NumberField(cfgekf::kZeroPoint, 10, 2, 1000, 3),
    NumberField(cfgekf::kPulses, 12, 1, 0.01),
    NumberField(cfgekf::kGyroRms, 13, 1, 10, 1),
    NumberField(cfgekf::kFlashInterval, 14, 2),
};

// ---- CFG-MAP: 0 entry, 1 flags (bit 0 active), 2-3 reserved, 4-7 source and 8-11 target address.
constexpr const char16_t* kMapEntries[] = {u"0 - RESERVED", u"1 - RESERVED", u"2 - RESERVED", u"3 - RESERVED",
                                           u"4 - RESERVED", u"5 - RESERVED", u"6 - RESERVED", u"7 - RESERVED"};
constexpr EditorList kMapLists[] = {{cfgmap::kEntry, kMapEntries}};
constexpr EditorField kMapFields[] = {
    ChoiceField(cfgmap::kEntry, 0, 1, std::size(kMapEntries) - 1),
    BitField(cfgmap::kActive, 1, 1, 0),
    HexField(cfgmap::kSource, 4, 4),
    HexField(cfgmap::kTarget, 8, 4),
};

// ---- CFG-LPTST: 0-3 flags (bit 0 run the test, 1 stop after it, 2 report the current), 4-7
// duration [s], 8-11 on and 12-15 off time [ms].
constexpr EditorField kLptstFields[] = {
    BitField(cfglptst::kEnable, 0, 4, 0),        BitField(cfglptst::kStopAfter, 0, 4, 1),
    BitField(cfglptst::kReportCurrent, 0, 4, 2), NumberField(cfglptst::kDuration, 4, 4),
    NumberField(cfglptst::kOnTime, 8, 4),        NumberField(cfglptst::kOffTime, 12, 4),
};

// ---- CFG-TRKSET: 0 setting, 1-2 loop bandwidth [Hz] x 100, 3-4 integration time [ms].
constexpr const char16_t* kTrackingSettings[] = {u"0 - Standard", u"1 - MGD"};
constexpr EditorList kTrksetLists[] = {{cfgtrkset::kSetting, kTrackingSettings}};
constexpr EditorField kTrksetFields[] = {
    ChoiceField(cfgtrkset::kSetting, 0, 1),
    NumberField(cfgtrkset::kBandwidth, 1, 2, 100, 2),
    NumberField(cfgtrkset::kIntegration, 3, 2),
};

}  // namespace

const CKvbFieldEditor kCfgNavxEditor{0x0A, 48, kNavxFields, kNavxLists, 0, {32, cfgnavx::kAntenna}};
const CKvbFieldEditor kCfgTstEditor{0x0B, 48, kTstFields, kTstLists, 0, {44, cfgtst::kExtended}};
const CKvbFieldEditor kCfgRxmxEditor{0x0C, 16, kRxmxFields, kRxmxLists};
const CKvbFieldEditor kCfgRxmoscEditor{0x0D, 28, kRxmoscFields, kRxmoscLists, 0, {24, cfgrxmosc::kCalibrated}};
const CKvbFieldEditor kCfgItmEditor{0x0F, 28, kItmFields, {}};
const CKvbFieldEditor kCfgEkfEditor{0x12, 16, kEkfFields, kEkfLists};
const CKvbFieldEditor kCfgMapEditor{0x14, 12, kMapFields, kMapLists, 1};
const CKvbFieldEditor kCfgLptstEditor{0x18, 16, kLptstFields, {}};
const CKvbFieldEditor kCfgTrksetEditor{0x1F, 5, kTrksetFields, kTrksetLists};
