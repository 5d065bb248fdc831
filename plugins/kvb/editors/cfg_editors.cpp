#include "plugins/kvb/editors/cfg_editors.h"

#include <array>

#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_page.h"
#include "shared/value_format.h"

namespace {

using namespace kvb_res;

constexpr const char16_t* kModels[] = {
    u"0 - Fixed", u"1 - Stationary", u"2 - Pedestrian", u"3 - Automotive", u"4 - Sea",
    u"5 - Airborne < 1g", u"6 - Airborne < 2g", u"7 - Airborne < 4g", u"8 - Airborne < 8g", u"9 - Airborne < 16g",
};
constexpr const char16_t* kTimeSources[] = {u"0 - UTC time", u"1 - GPS time"};

// ---- CFG-INF
constexpr const char16_t* kInfProtocols[] = {u"0 - KVB",    u"1 - NMEA",   u"3 - RAW",   u"12 - USER0",
                                             u"13 - USER1", u"14 - USER2", u"15 - USER3"};
constexpr EditorList kInfLists[] = {{cfginf::kProtocol, kInfProtocols}};

constexpr auto InfFields() {
    std::array<EditorField, 1 + 4 * 9> fields{};
    fields[0] = ChoiceField(cfginf::kProtocol, 0, 1);
    size_t at = 1;
    for (int target = 0; target < 4; ++target) {
        const int base = cfginf::kTarget0 + target * cfginf::kTargetStep;
        const auto offset = static_cast<uint8_t>(4 + target);
        fields[at++] = AllField(base, offset, 1);
        for (uint8_t bit = 0; bit < 8; ++bit) fields[at++] = BitField(base + 1 + bit, offset, 1, bit);
    }
    return fields;
}
constexpr auto kInfFields = InfFields();

// ---- CFG-RATE
constexpr EditorField kRateFields[] = {
    NumberField(cfgrate::kMeasurementPeriod, 0, 2),
    NumberField(cfgrate::kNavigationRate, 2, 2),
    ChoiceField(cfgrate::kTimeSource, 4, 2),
};
constexpr EditorList kRateLists[] = {{cfgrate::kTimeSource, kTimeSources}};

// ---- CFG-TP
constexpr const char16_t* kPulseModes[] = {u"+1 - rising edge", u"-1 - falling edge", u"0 - disabled"};
constexpr EditorField kTpFields[] = {
    NumberField(cfgtp::kPeriod, 0, 4, 1000, 3),    NumberField(cfgtp::kLength, 4, 4, 1000, 3),
    SignedChoiceField(cfgtp::kPulseMode, 8),       ChoiceField(cfgtp::kTimeSource, 9, 1),
    SignedField(cfgtp::kCableDelay, 12, 2),        SignedField(cfgtp::kRfGroupDelay, 14, 2),
    SignedField(cfgtp::kUserDelay, 16, 4),
};
constexpr EditorList kTpLists[] = {{cfgtp::kPulseMode, kPulseModes}, {cfgtp::kTimeSource, kTimeSources}};

// ---- CFG-NAV
constexpr EditorField kNavFields[] = {
    ChoiceField(cfgnav::kModel, 0, 1),
    NumberField(cfgnav::kMinSvs, 1, 1),
    NumberField(cfgnav::kMaxSvs, 2, 1),
    NumberField(cfgnav::kMinCn0, 3, 1),
    NumberField(cfgnav::kAbsMinCn0, 4, 1),
    NumberField(cfgnav::kMinElevation, 5, 1),
    BitField(cfgnav::kTimetag, 6, 1, 0),
    NumberField(cfgnav::kDgpsTimeout, 7, 1),
    NumberField(cfgnav::kPrcAge, 8, 1),
    NumberField(cfgnav::kCpcAge, 9, 1),
    NumberField(cfgnav::kMinClt, 10, 2),
    NumberField(cfgnav::kAbsMinClt, 12, 2),
    NumberField(cfgnav::kDrTimeout, 14, 1),
    BitField(cfgnav::kRange, 15, 1, 0),
    BitField(cfgnav::kDoppler, 15, 1, 1),
    BitField(cfgnav::kDeltaRange, 15, 1, 2),
    BitField(cfgnav::kAlmEph, 15, 1, 3),
    BitField(cfgnav::kAlmanacNavigation, 15, 1, 4),
    NumberField(cfgnav::kPdop, 16, 2, 10, 1),
    NumberField(cfgnav::kTdop, 18, 2, 10, 1),
    NumberField(cfgnav::kPAccuracy, 20, 2),
    NumberField(cfgnav::kTAccuracy, 22, 2),
    NumberField(cfgnav::kFAccuracy, 24, 2, 10, 1),
    NumberField(cfgnav::kStaticHold, 26, 1, 100, 2),
};
constexpr EditorList kNavLists[] = {{cfgnav::kModel, kModels}};

// ---- CFG-NAV2
constexpr const char16_t* kFixModes[] = {u"1 - 2D only", u"2 - Auto 2D/3D", u"3 - 3D only"};
constexpr EditorField kNav2Fields[] = {
    ChoiceField(cfgnav2::kModel, 0, 1),
    NumberField(cfgnav2::kInitialMinSv, 4, 1),
    NumberField(cfgnav2::kMinSvs, 5, 1),
    NumberField(cfgnav2::kMaxSvs, 6, 1),
    ChoiceField(cfgnav2::kFixMode, 7, 1),
    SignedField(cfgnav2::kFixedAltitude, 8, 4, 100, 2),
    NumberField(cfgnav2::kInitialMinCn0, 12, 1),
    NumberField(cfgnav2::kMinCn0, 13, 1),
    NumberField(cfgnav2::kMinElevation, 14, 1),
    NumberField(cfgnav2::kDgpsTimeout, 15, 1),
    NumberField(cfgnav2::kDrTimeout, 16, 1),
    BitField(cfgnav2::kRaim, 17, 1, 0),
    BitField(cfgnav2::kAlmanacNavigation, 17, 1, 1),
    NumberField(cfgnav2::kPdop, 20, 2, 10, 1),
    NumberField(cfgnav2::kTdop, 22, 2, 10, 1),
    NumberField(cfgnav2::kPAccuracy, 24, 2),
    NumberField(cfgnav2::kTAccuracy, 26, 2),
    NumberField(cfgnav2::kStaticHold, 28, 1, 100, 2),
};
constexpr EditorList kNav2Lists[] = {{cfgnav2::kModel, kModels}, {cfgnav2::kFixMode, kFixModes}};

// ---- CFG-TMODE
constexpr uint32_t kLargestVariance = 4225000000;
constexpr const char16_t* kTimeModes[] = {u"0 - Disabled", u"1 - Survey-in", u"2 - Fixed Mode"};
constexpr EditorField kTmodeFields[] = {
    ChoiceField(cfgtmode::kTimeMode, 0, 4),
    SignedField(cfgtmode::kX, 4, 4, 100, 2),
    SignedField(cfgtmode::kY, 8, 4, 100, 2),
    SignedField(cfgtmode::kZ, 12, 4, 100, 2),
    DeviationField(cfgtmode::kDeviation, 16, kLargestVariance),
    NumberField(cfgtmode::kMinObservation, 20, 4),
    DeviationField(cfgtmode::kRequiredDeviation, 24, kLargestVariance),
};
constexpr EditorList kTmodeLists[] = {{cfgtmode::kTimeMode, kTimeModes}};

// ---- CFG-NMEA
constexpr const char16_t* kNmeaVersions[] = {u"2.1", u"2.3"};
constexpr uint32_t kNmeaVersionBytes[] = {0x21, 0x23};
constexpr const char16_t* kNmeaModes[] = {u"0 - Standard", u"8 - 8 Channel Receiver", u"12 - 12 Channel Receiver",
                                          u"16 - 16 Channel Receiver"};
constexpr EditorField kNmeaFields[] = {
    BitField(cfgnmea::kInvalidFixes, 0, 1, 0),  BitField(cfgnmea::kMaskedFixes, 0, 1, 1),
    BitField(cfgnmea::kInvalidTimes, 0, 1, 2),  BitField(cfgnmea::kInvalidDates, 0, 1, 3),
    BitField(cfgnmea::kNoSbas, 0, 1, 4),        BitField(cfgnmea::kFrozenCog, 0, 1, 5),
    MappedField(cfgnmea::kVersion, 1, 1, kNmeaVersionBytes),
    ChoiceField(cfgnmea::kMode, 2, 1),
    BitField(cfgnmea::kCompatibility, 3, 1, 0), BitField(cfgnmea::kConsider, 3, 1, 1),
};
constexpr EditorList kNmeaLists[] = {{cfgnmea::kVersion, kNmeaVersions}, {cfgnmea::kMode, kNmeaModes}};

// ---- CFG-ANT
constexpr uint32_t kGpioNumber = 31;
constexpr EditorField kAntFields[] = {
    BitField(cfgant::kSupplyControl, 0, 2, 0),
    BitField(cfgant::kShortDetection, 0, 2, 1),
    BitField(cfgant::kOpenDetection, 0, 2, 2),
    BitField(cfgant::kShortPowerDown, 0, 2, 3),
    BitField(cfgant::kShortRecovery, 0, 2, 4),
    PackedField(cfgant::kControlPin, 2, 2, 0, kGpioNumber),
    PackedField(cfgant::kShortPin, 2, 2, 5, kGpioNumber),
    PackedField(cfgant::kOpenPin, 2, 2, 10, kGpioNumber),
};

// ---- CFG-RXM
constexpr const char16_t* kGpsModes[] = {u"0 - Normal", u"1 - Fast Acquisition", u"2 - High Sensitivity",
                                         u"3 - Auto"};
constexpr const char16_t* kPowerModes[] = {u"0 - Continuous", u"1 - Fixwise"};
constexpr EditorField kRxmFields[] = {ChoiceField(cfgrxm::kGpsMode, 0, 1), ChoiceField(cfgrxm::kPowerMode, 1, 1)};
constexpr EditorList kRxmLists[] = {{cfgrxm::kGpsMode, kGpsModes}, {cfgrxm::kPowerMode, kPowerModes}};

void ShowFrequency(CDialogPage& page, int control, bool valid, double hertz) {
    if (valid && hertz > 0)
        SetDlgDouble(page, control, hertz, 3);
    else
        page.SetControlText(control, u"-");
}

void ShowRateFrequencies(CDialogPage& page) {
    bool periodValid = false;
    bool rateValid = false;
    const uint32_t period = GetDlgDecimal(page, cfgrate::kMeasurementPeriod, &periodValid, false);
    const uint32_t rate = GetDlgDecimal(page, cfgrate::kNavigationRate, &rateValid, false);
    const double measurement = period ? 1000.0 / period : 0;
    ShowFrequency(page, cfgrate::kMeasurementFrequency, periodValid, measurement);
    ShowFrequency(page, cfgrate::kNavigationFrequency, periodValid && rateValid && rate, rate ? measurement / rate : 0);
}

}  // namespace

bool CCfgRateEditor::OnChange(CDialogPage& page, int control) const {
    if (control == cfgrate::kMeasurementPeriod || control == cfgrate::kNavigationRate) ShowRateFrequencies(page);
    return false;
}

void CCfgRateEditor::ShowMore(CDialogPage& page, std::span<const uint8_t>) const { ShowRateFrequencies(page); }

const CKvbFieldEditor kCfgInfEditor{0x02, 8, kInfFields, kInfLists, 1};
const CCfgRateEditor kCfgRateEditor{0x08, 6, kRateFields, kRateLists};
const CKvbFieldEditor kCfgTpEditor{0x07, 20, kTpFields, kTpLists};
const CKvbFieldEditor kCfgNavEditor{0x03, 28, kNavFields, kNavLists};
const CKvbFieldEditor kCfgNav2Editor{0x1A, 40, kNav2Fields, kNav2Lists};
const CKvbFieldEditor kCfgTmodeEditor{0x1D, 28, kTmodeFields, kTmodeLists};
const CKvbFieldEditor kCfgNmeaEditor{0x17, 4, kNmeaFields, kNmeaLists};
const CKvbFieldEditor kCfgAntEditor{0x13, 4, kAntFields, {}};
const CKvbFieldEditor kCfgRxmEditor{0x11, 2, kRxmFields, kRxmLists};
