#pragma once
// The pages of the configuration editors, as lines laid out one below the other. Included by
// kvb_dialogs.cpp alone, which files them with the other pages.
#include <array>
#include <cstddef>

#include "plugins/kvb/resources/kvb_editor_ids.h"
#include "shared/dialog_template.h"

namespace kvb_editor_pages {

using namespace kvb_res;

// A line of an editor's page. A control's label is the static text before it, numbered 1000
// above the control, so that the page can hide a row with its label.
struct EditorLine {
    enum class Kind { Edit, ReadOnly, List, Combo, Check, Radio, MultiList, Note, Heading, TextEdit } kind;
    const char16_t* text;
    int id = 0;
    const char16_t* unit = u"";
    // Check boxes and radio buttons: the column of the line, 0 starting a new line; a radio
    // button in column 0 also starts a new group, one at kNextLine continues the group on a new
    // line. Multi-line lists and notes: their lines.
    int place = 0;
};

constexpr EditorLine Edit(const char16_t* label, int id, const char16_t* unit = u"") {
    return {EditorLine::Kind::Edit, label, id, unit};
}
constexpr EditorLine ReadOnly(const char16_t* label, int id, const char16_t* unit = u"") {
    return {EditorLine::Kind::ReadOnly, label, id, unit};
}
constexpr EditorLine List(const char16_t* label, int id) { return {EditorLine::Kind::List, label, id}; }
// An edit for a text, reaching to the page's edge.
constexpr EditorLine TextEdit(const char16_t* label, int id) { return {EditorLine::Kind::TextEdit, label, id}; }
constexpr EditorLine Combo(const char16_t* label, int id) { return {EditorLine::Kind::Combo, label, id}; }
constexpr EditorLine Check(const char16_t* text, int id, int column = 0) {
    return {EditorLine::Kind::Check, text, id, u"", column};
}
constexpr EditorLine Radio(const char16_t* text, int id, int column = 0) {
    return {EditorLine::Kind::Radio, text, id, u"", column};
}
inline constexpr int kNextLine = -1;
constexpr EditorLine RadioBelow(const char16_t* text, int id) {
    return {EditorLine::Kind::Radio, text, id, u"", kNextLine};
}
constexpr EditorLine MultiList(const char16_t* label, int id, int lines) {
    return {EditorLine::Kind::MultiList, label, id, u"", lines};
}
constexpr EditorLine Note(const char16_t* text, int lines = 1) {
    return {EditorLine::Kind::Note, text, 0, u"", lines};
}
constexpr EditorLine Heading(const char16_t* text) { return {EditorLine::Kind::Heading, text}; }
// A note that the editor shows or hides.
constexpr EditorLine StatusNote(const char16_t* text, int id) { return {EditorLine::Kind::Note, text, id, u"", 1}; }

inline constexpr int kPageWidth = 200;
inline constexpr int kPitch = 14;
inline constexpr int kLeft = 4;
inline constexpr int kFieldX = 96;
inline constexpr int kFieldWidth = 54;
inline constexpr int kUnitX = 153;
inline constexpr int kColumnWidth = 38;
inline constexpr int kTextLine = 9;
inline constexpr int kLabelOffset = 1000;
inline constexpr int kFirstPlainTextId = 3000;

constexpr bool Labelled(EditorLine::Kind kind) {
    using enum EditorLine::Kind;
    return kind == Edit || kind == ReadOnly || kind == List || kind == Combo || kind == MultiList || kind == TextEdit;
}

template <size_t N>
constexpr size_t EditorControlCount(const std::array<EditorLine, N>& lines) {
    size_t count = 0;
    for (const EditorLine& line : lines) {
        using enum EditorLine::Kind;
        count += line.kind == Edit || line.kind == ReadOnly ? 3 : Labelled(line.kind) ? 2 : 1;
    }
    return count;
}

// How far down a line reaches below its top.
constexpr int LineHeight(const EditorLine& line) {
    using enum EditorLine::Kind;
    if (line.kind == MultiList) return kPitch + line.place * kTextLine + 4;
    if (line.kind == Note) return line.place * kTextLine + 5;
    return kPitch;
}

template <const auto& Lines>
constexpr auto LayOutEditor() {
    using enum EditorLine::Kind;
    std::array<ControlTemplate, EditorControlCount(Lines)> controls{};
    size_t at = 0;
    int plainId = kFirstPlainTextId;
    int y = kLeft;
    int lastHeight = 0;
    for (size_t index = 0; index < Lines.size(); ++index) {
        const EditorLine& line = Lines[index];
        const bool beside = (line.kind == Check || line.kind == Radio) && line.place > 0;
        if (!beside) y += lastHeight;
        lastHeight = LineHeight(line);
        if (Labelled(line.kind))
            controls[at++] = {line.id + kLabelOffset, ControlKind::StaticText, line.text, {kLeft, y + 2, kFieldX - kLeft - 2, kTextLine}};
        switch (line.kind) {
            case Edit:
            case ReadOnly:
                controls[at++] = {line.id, ControlKind::Edit, u"", {kFieldX, y, kFieldWidth, 12},
                                  (line.kind == ReadOnly ? STYLE_READ_ONLY : STYLE_NONE) | STYLE_RIGHT};
                controls[at++] = {plainId++, ControlKind::StaticText, line.unit, {kUnitX, y + 2, kPageWidth - kUnitX - 2, kTextLine}};
                break;
            case List:
                controls[at++] = {line.id, ControlKind::DropDownList, u"", {kFieldX, y, kPageWidth - kFieldX - 4, 12}};
                break;
            case Combo:
                controls[at++] = {line.id, ControlKind::DropDownEdit, u"", {kFieldX, y, kPageWidth - kFieldX - 4, 12}};
                break;
            case TextEdit:
                controls[at++] = {line.id, ControlKind::Edit, u"", {kFieldX, y, kPageWidth - kFieldX - 4, 12}};
                break;
            case Check:
            case Radio: {
                // A box reaches to the one beside it, or to the page's edge.
                const int column = line.place > 0 ? line.place : 0;
                const int x = kLeft + column * kColumnWidth;
                // By index, not by pointer: a pointer compared in a constant expression is not one for
                // every compiler setting (the sanitizers' builds).
                const bool hasNext = index + 1 < Lines.size();
                const EditorLine& next = Lines[hasNext ? index + 1 : index];
                const bool followed = hasNext && (next.kind == Check || next.kind == Radio) && next.place > column;
                const int width = (followed ? kLeft + next.place * kColumnWidth : kPageWidth - kLeft) - x;
                const uint32_t style = line.kind == Radio && line.place == 0 ? STYLE_GROUP : STYLE_NONE;
                controls[at++] = {line.id, line.kind == Check ? ControlKind::CheckBox : ControlKind::RadioButton, line.text,
                                  {x, y, width, 10}, style};
                break;
            }
            case MultiList:
                controls[at++] = {line.id, ControlKind::MultiSelectListBox, u"",
                                  {kFieldX, y, kPageWidth - kFieldX - 4, line.place * kTextLine + 4}};
                break;
            case Note:
                controls[at++] = {line.id ? line.id : plainId++, ControlKind::StaticText, line.text, {kLeft, y, kPageWidth - 2 * kLeft, line.place * kTextLine}};
                break;
            case Heading:
                controls[at++] = {plainId++, ControlKind::StaticText, line.text, {kLeft, y + 2, kPageWidth - 2 * kLeft, kTextLine},
                                  STYLE_NONE, ControlFont::Bold};
                break;
        }
    }
    return controls;
}

template <const auto& Lines>
constexpr int EditorHeight() {
    int y = kLeft;
    int lastHeight = 0;
    for (const EditorLine& line : Lines) {
        using enum EditorLine::Kind;
        if (!((line.kind == Check || line.kind == Radio) && line.place > 0)) y += lastHeight;
        lastHeight = LineHeight(line);
    }
    return y + lastHeight + kLeft;
}

// clang-format off
inline constexpr std::array kCfgPrtLines{
    List(u"Target", cfgprt::kTarget),
    Combo(u"Baudrate", cfgprt::kBaudrate),
    Check(u"Auto bauding", cfgprt::kAutoBauding),
    List(u"Mode", cfgprt::kMode),
    List(u"Databits", cfgprt::kDatabits),
    List(u"Parity", cfgprt::kParity),
    List(u"Stopbits", cfgprt::kStopbits),
    List(u"Bit Order", cfgprt::kBitOrder),
    List(u"Oversampling", cfgprt::kOversampling),
    Combo(u"Protocol in", cfgprt::kProtocolIn),
    Combo(u"Protocol out", cfgprt::kProtocolOut),
    Combo(u"Forward to", cfgprt::kForwardTo),
};

inline constexpr std::array kCfgMsgLines{
    Combo(u"Message", cfgmsg::kMessage),
    Edit(u"Target 0", cfgmsg::kRate0), Check(u"On", cfgmsg::kOn0, 3),
    Edit(u"Target 1", cfgmsg::kRate0 + 2), Check(u"On", cfgmsg::kOn0 + 2, 3),
    Edit(u"Target 2", cfgmsg::kRate0 + 4), Check(u"On", cfgmsg::kOn0 + 4, 3),
    Edit(u"Target 3", cfgmsg::kRate0 + 6), Check(u"On", cfgmsg::kOn0 + 6, 3),
};

constexpr std::array<EditorLine, 1 + 4 * 10> InfLines() {
    constexpr const char16_t* kTargets[] = {u"Target 0", u"Target 1", u"Target 2", u"Target 3"};
    constexpr const char16_t* kBits[] = {u"Error", u"Warning", u"Notice", u"Test", u"Debug", u"Res5", u"Res6", u"User"};
    std::array<EditorLine, 1 + 4 * 10> lines{};
    size_t at = 0;
    lines[at++] = Combo(u"Protocol", cfginf::kProtocol);
    for (int target = 0; target < 4; ++target) {
        const int base = cfginf::kTarget0 + target * cfginf::kTargetStep;
        lines[at++] = Heading(kTargets[target]);
        lines[at++] = Check(u"All", base);
        for (int bit = 0; bit < 8; ++bit) lines[at++] = Check(kBits[bit], base + 1 + bit, (bit + 1) % 4);
    }
    return lines;
}
inline constexpr auto kCfgInfLines = InfLines();

inline constexpr std::array kCfgRstLines{
    Heading(u"Startup"),
    Radio(u"Hotstart", cfgrst::kHotstart), Radio(u"Warmstart", cfgrst::kWarmstart, 2),
    Radio(u"Coldstart", cfgrst::kColdstart, 1), Radio(u"User Defined", cfgrst::kUserDefined, 2),
    MultiList(u"Clear", cfgrst::kClear, 6),
    Heading(u"Reset"),
    Radio(u"Stop", cfgrst::kStop), Radio(u"Start", cfgrst::kStart, 2),
    Radio(u"Controlled", cfgrst::kControlled, 1), Radio(u"Controlled GPS only", cfgrst::kControlledGps, 2),
    Radio(u"Forced (Watchdog)", cfgrst::kForced, 1),
};

inline constexpr std::array kCfgRateLines{
    Edit(u"Measurement Period", cfgrate::kMeasurementPeriod, u"[ms]"),
    Edit(u"Navigation Rate", cfgrate::kNavigationRate, u"[cycles]"),
    Combo(u"Time Source", cfgrate::kTimeSource),
    ReadOnly(u"Measurement Frequency", cfgrate::kMeasurementFrequency, u"[Hz]"),
    ReadOnly(u"Navigation Frequency", cfgrate::kNavigationFrequency, u"[Hz]"),
};

inline constexpr std::array kCfgTpLines{
    Edit(u"Pulse Period", cfgtp::kPeriod, u"[ms]"),
    Edit(u"Pulse Length", cfgtp::kLength, u"[ms]"),
    Combo(u"Pulse Mode", cfgtp::kPulseMode),
    Combo(u"Time Source", cfgtp::kTimeSource),
    Edit(u"Cable Delay", cfgtp::kCableDelay, u"[ns]"),
    Edit(u"RF Group Delay", cfgtp::kRfGroupDelay, u"[ns]"),
    Edit(u"User Delay", cfgtp::kUserDelay, u"[ns]"),
};

inline constexpr std::array kCfgNavLines{
    Note(u"This message is only supported with firmware version <= V3.01 !", 2),
    Combo(u"Dynamic Platform Model", cfgnav::kModel),
    Edit(u"Min SVs", cfgnav::kMinSvs), Edit(u"Max SVs", cfgnav::kMaxSvs),
    Edit(u"Min C/N0", cfgnav::kMinCn0, u"[dBHz]"), Edit(u"AbsMin C/N0", cfgnav::kAbsMinCn0, u"[dBHz]"),
    Edit(u"Min SV Elevation", cfgnav::kMinElevation, u"[deg]"),
    Check(u"Timetag Rounding", cfgnav::kTimetag),
    Heading(u"DGPS"),
    Edit(u"Timeout", cfgnav::kDgpsTimeout, u"[s]"), Edit(u"PRC", cfgnav::kPrcAge, u"[s]"),
    Edit(u"CPC", cfgnav::kCpcAge, u"[s]"),
    Edit(u"Min CLT", cfgnav::kMinClt, u"[ms]"), Edit(u"AbsMin CLT", cfgnav::kAbsMinClt, u"[ms]"),
    Edit(u"DR Timeout", cfgnav::kDrTimeout, u"[s]"),
    Heading(u"RAIM checks"),
    Check(u"Range", cfgnav::kRange), Check(u"Doppler", cfgnav::kDoppler, 2),
    Check(u"Delta Range", cfgnav::kDeltaRange), Check(u"ALM-EPH", cfgnav::kAlmEph, 2),
    Check(u"Allow Almanac Navigation", cfgnav::kAlmanacNavigation),
    Edit(u"PDOP Mask", cfgnav::kPdop), Edit(u"TDOP Mask", cfgnav::kTdop),
    Edit(u"P Accuracy Mask", cfgnav::kPAccuracy, u"[m]"), Edit(u"T Accuracy Mask", cfgnav::kTAccuracy, u"[m]"),
    Edit(u"F Accuracy Mask", cfgnav::kFAccuracy, u"[m/s]"),
    Edit(u"Static Hold Threshold", cfgnav::kStaticHold, u"[m/s]"),
    Note(u"(0 = off)"),
};

inline constexpr std::array kCfgNav2Lines{
    Combo(u"Dynamic Platform Model", cfgnav2::kModel),
    Edit(u"Initial Min SV", cfgnav2::kInitialMinSv),
    Edit(u"Min SVs", cfgnav2::kMinSvs), Edit(u"Max SVs", cfgnav2::kMaxSvs),
    Combo(u"Fix Mode", cfgnav2::kFixMode),
    Edit(u"Fixed Altitude", cfgnav2::kFixedAltitude, u"[m]"),
    Edit(u"Initial Min C/N0 (Fix)", cfgnav2::kInitialMinCn0, u"[dBHz]"),
    Edit(u"Min C/N0 (Nav)", cfgnav2::kMinCn0, u"[dBHz]"),
    Edit(u"Min SV Elevation", cfgnav2::kMinElevation, u"[deg]"),
    Edit(u"DGPS Timeout", cfgnav2::kDgpsTimeout, u"[s]"),
    Edit(u"DR Timeout", cfgnav2::kDrTimeout, u"[s]"),
    Check(u"Enable RAIM checks (Receiver Autonomous Integrity Monitoring)", cfgnav2::kRaim),
    Check(u"Allow Almanac Navigation", cfgnav2::kAlmanacNavigation),
    Edit(u"PDOP Mask", cfgnav2::kPdop), Edit(u"TDOP Mask", cfgnav2::kTdop),
    Edit(u"P Accuracy Mask", cfgnav2::kPAccuracy, u"[m]"), Edit(u"T Accuracy Mask", cfgnav2::kTAccuracy, u"[m]"),
    Edit(u"Static Hold Threshold", cfgnav2::kStaticHold, u"[m/s]"),
};

inline constexpr std::array kCfgTmodeLines{
    Combo(u"Time Mode", cfgtmode::kTimeMode),
    Heading(u"Fixed Mode"),
    Edit(u"X", cfgtmode::kX, u"[m]"), Edit(u"Y", cfgtmode::kY, u"[m]"), Edit(u"Z", cfgtmode::kZ, u"[m]"),
    Edit(u"Standard deviation", cfgtmode::kDeviation, u"[m]"),
    Heading(u"Survey-in"),
    Edit(u"Minimum observation time", cfgtmode::kMinObservation, u"[s]"),
    Edit(u"Required position std dev", cfgtmode::kRequiredDeviation, u"[m]"),
    Note(u"Survey-in ends if BOTH conditions are met!"),
};

inline constexpr std::array kCfgCfgLines{
    Radio(u"Revert to default configuration", cfgcfg::kRevertDefault),
    RadioBelow(u"Revert to last saved configuration", cfgcfg::kRevertSaved),
    RadioBelow(u"Save current configuration", cfgcfg::kSaveCurrent),
    RadioBelow(u"User defined", cfgcfg::kUserDefined),
    MultiList(u"Clear", cfgcfg::kClear, 5),
    MultiList(u"Save", cfgcfg::kSave, 5),
    MultiList(u"Load", cfgcfg::kLoad, 5),
    Check(u"Device mask", cfgcfg::kDevice),
    MultiList(u"Devices", cfgcfg::kDevices, 2),
};

inline constexpr std::array kCfgSbasLines{
    List(u"Subsystem", cfgsbas::kSubsystem),
    Check(u"Allow test mode usa (Msg 0)", cfgsbas::kTestMode),
    Heading(u"Usage"),
    Check(u"Ranging (Use SBAS in NAV)", cfgsbas::kRanging),
    Check(u"Apply SBAS Correction data", cfgsbas::kCorrections),
    Check(u"Apply integrity information", cfgsbas::kIntegrity),
    Edit(u"Number of search channels", cfgsbas::kChannels),
    Heading(u"Scan"),
    Radio(u"Auto-Scan", cfgsbas::kAutoScan), Radio(u"WAAS", cfgsbas::kWaas, 2),
    Radio(u"EGNOS", cfgsbas::kEgnos, 1), Radio(u"MSAS", cfgsbas::kMsas, 2),
    Radio(u"Other:", cfgsbas::kOther, 1),
    Edit(u"Satellites", cfgsbas::kOtherPrns),
};

inline constexpr std::array kCfgNmeaLines{
    Check(u"Enable position output even for invalid fixes", cfgnmea::kInvalidFixes),
    Check(u"Enable position output even for masked fixes", cfgnmea::kMaskedFixes),
    Check(u"Enable time output even for invalid times", cfgnmea::kInvalidTimes),
    Check(u"Enable date output even for invalid dates", cfgnmea::kInvalidDates),
    Check(u"Disable output of SBAS prns", cfgnmea::kNoSbas),
    Check(u"Enable COG output even if COG frozen", cfgnmea::kFrozenCog),
    List(u"Version", cfgnmea::kVersion),
    Combo(u"Mode", cfgnmea::kMode),
    Check(u"Enable compatibility mode", cfgnmea::kCompatibility),
    Check(u"Enable SV consider mode", cfgnmea::kConsider),
};

inline constexpr std::array kCfgAntLines{
    Check(u"Enable supply voltage control signal", cfgant::kSupplyControl),
    Check(u"Enable short circuit detection", cfgant::kShortDetection),
    Check(u"Enable open circuit detection", cfgant::kOpenDetection),
    Check(u"Enable short circuit power down logic", cfgant::kShortPowerDown),
    Check(u"Enable automatic short circuit recovery", cfgant::kShortRecovery),
    Heading(u"GPIO"),
    Edit(u"Control Signal", cfgant::kControlPin),
    Edit(u"Short Circuit Detection", cfgant::kShortPin),
    Edit(u"Open Circuit Detection", cfgant::kOpenPin),
};

inline constexpr std::array kCfgRxmLines{
    Combo(u"GPS Mode", cfgrxm::kGpsMode),
    Note(u"In automatic mode the receiver chooses between normal, fast acquisition and high sensitivity "
         u"by the signals it receives.", 3),
    Note(u"The receiver will reset if the GPS Modesetting is changed !", 2),
    Combo(u"Power Mode", cfgrxm::kPowerMode),
    Note(u"Fixwise mode is configured with the CFG-FXW message !", 2),
};
// clang-format on

inline constexpr auto kCfgPrtControls = LayOutEditor<kCfgPrtLines>();
inline constexpr auto kCfgMsgControls = LayOutEditor<kCfgMsgLines>();
inline constexpr auto kCfgInfControls = LayOutEditor<kCfgInfLines>();
inline constexpr auto kCfgRstControls = LayOutEditor<kCfgRstLines>();
inline constexpr auto kCfgRateControls = LayOutEditor<kCfgRateLines>();
inline constexpr auto kCfgTpControls = LayOutEditor<kCfgTpLines>();
inline constexpr auto kCfgNavControls = LayOutEditor<kCfgNavLines>();
inline constexpr auto kCfgNav2Controls = LayOutEditor<kCfgNav2Lines>();
inline constexpr auto kCfgTmodeControls = LayOutEditor<kCfgTmodeLines>();
inline constexpr auto kCfgCfgControls = LayOutEditor<kCfgCfgLines>();
inline constexpr auto kCfgSbasControls = LayOutEditor<kCfgSbasLines>();
inline constexpr auto kCfgNmeaControls = LayOutEditor<kCfgNmeaLines>();
inline constexpr auto kCfgAntControls = LayOutEditor<kCfgAntLines>();
inline constexpr auto kCfgRxmControls = LayOutEditor<kCfgRxmLines>();

// ---- The pages of the engineering, power, logging, USB and time-mark settings.
constexpr std::array<EditorLine, cfglog::kGpioCount + 18> LogLines() {
    std::array<EditorLine, cfglog::kGpioCount + 18> lines{};
    size_t at = 0;
    lines[at++] = Heading(u"GPIO");
    constexpr const char16_t* kGpios[] = {u"GPIO 0", u"GPIO 1", u"GPIO 2",  u"GPIO 3",  u"GPIO 4",  u"GPIO 5",
                                          u"GPIO 6", u"GPIO 7", u"GPIO 8",  u"GPIO 9",  u"GPIO 10", u"GPIO 11",
                                          u"GPIO 12", u"GPIO 13", u"GPIO 14", u"GPIO 15"};
    for (int gpio = 0; gpio < cfglog::kGpioCount; ++gpio)
        lines[at++] = Check(kGpios[gpio], cfglog::kGpio0 + gpio, gpio % 4);
    lines[at++] = Heading(u"Position Fix logging");
    lines[at++] = Check(u"Enable Position Fix logging", cfglog::kFixLogging);
    lines[at++] = Check(u"Use 4SV solution (3D fix)", cfglog::kFourSvs);
    lines[at++] = Check(u"Use speed over ground (SoG)", cfglog::kSpeedOverGround);
    lines[at++] = Heading(u"Minimum");
    lines[at++] = Edit(u"Time filter (0=off):", cfglog::kTimeFilter, u"[s]");
    lines[at++] = Edit(u"Distance filter (0=off):", cfglog::kDistanceFilter, u"[m]");
    lines[at++] = Edit(u"Speed filter (0=off):", cfglog::kSpeedFilter, u"[m/s]");
    lines[at++] = Heading(u"Maximum");
    lines[at++] = Edit(u"Time filter (0=off):", cfglog::kMaxTimeFilter, u"[s]");
    lines[at++] = Edit(u"Distance filter (0=off):", cfglog::kMaxDistanceFilter, u"[m]");
    lines[at++] = Edit(u"Speed filter (0=off):", cfglog::kMaxSpeedFilter, u"[m/s]");
    lines[at++] = Heading(u"Logging");
    lines[at++] = Check(u"Enable logging", cfglog::kLogging);
    lines[at++] = Check(u"Use storage as a ring buffer", cfglog::kRingBuffer);
    lines[at++] = Check(u"Clear logging buffer before start", cfglog::kClearBuffer);
    lines[at++] = Check(u"Flash 1 PPS LED when logging", cfglog::kFlashLed);
    return lines;
}

// clang-format off
inline constexpr std::array kCfgFxwLines{
    List(u"Template", cfgfxw::kTemplate),
    Check(u"Sleep", cfgfxw::kSleep), Check(u"Backup", cfgfxw::kBackup, 2),
    Check(u"Use on/off time", cfgfxw::kOnOffTime), Check(u"Absolute align", cfgfxw::kAbsoluteAlign, 2),
    Edit(u"T_reacq [s]", cfgfxw::kReacquire),
    Edit(u"T_acq [s]", cfgfxw::kAcquire),
    Edit(u"T_reacq_off [s]", cfgfxw::kReacquireOff),
    Edit(u"T_acc_off [s]", cfgfxw::kAcquireOff),
    Edit(u"T_on [s]", cfgfxw::kOn),
    Edit(u"T_off [s]", cfgfxw::kOff),
    Edit(u"Base TOW [s]", cfgfxw::kBaseTow),
};

inline constexpr auto kCfgLogLines = LogLines();

inline constexpr std::array kCfgEkfLines{
    Check(u"EKF Enabled", cfgekf::kEnabled),
    Check(u"Clear Temperature Table", cfgekf::kClearTemperature),
    Check(u"Set Pulses / km to:", cfgekf::kSetPulses),
    Edit(u"Pulses / km", cfgekf::kPulses),
    Check(u"Set Hardwareinterface", cfgekf::kSetHardware),
    Combo(u"ADC:", cfgekf::kConverter),
    Combo(u"Temperature Sensor:", cfgekf::kTemperatureSensor),
    Edit(u"Direction Pin:", cfgekf::kDirectionPin),
    Edit(u"Speedpulse Pin:", cfgekf::kSpeedPin),
    List(u"Direction Pin Polarity", cfgekf::kDirectionPolarity),
    Check(u"Set Gyro:", cfgekf::kSetGyro),
    List(u"Gyro Axis", cfgekf::kGyroAxis),
    Edit(u"Nominal Sensitivity:", cfgekf::kSensitivity),
    Edit(u"Nom. Zero-Point Output:", cfgekf::kZeroPoint, u"[V]"),
    Edit(u"Gyro RMS <", cfgekf::kGyroRms),
    Check(u"Set:", cfgekf::kSetFlash),
    Edit(u"Save-To-Flash Interval:", cfgekf::kFlashInterval, u"[s]"),
};

inline constexpr std::array kCfgUsbLines{
    Edit(u"Vendor ID", cfgusb::kVendorId, u"(hex)"),
    Edit(u"Product ID", cfgusb::kProductId, u"(hex)"),
    Heading(u"Device Configuration"),
    Check(u"COM Emulation", cfgusb::kComEmulation), Check(u"Generic Serial Application", cfgusb::kGenericSerial, 2),
    Check(u"Bulk Transfer", cfgusb::kBulkTransfer), Check(u"Bulk Loop-Back", cfgusb::kBulkLoopBack, 2),
    Check(u"Link Config Selection to PID", cfgusb::kLinkToPid),
    Heading(u"DFU"),
    Check(u"DFU Enabled", cfgusb::kDfu), Check(u"Will Detach", cfgusb::kDfuDetach, 2),
    Check(u"Manifestation Tolerant", cfgusb::kDfuTolerant),
    Heading(u"Power"),
    Radio(u"Bus Powered", cfgusb::kBusPowered), Radio(u"Self Powered", cfgusb::kSelfPowered, 2),
    Edit(u"Current", cfgusb::kCurrent, u"[mA]"),
    Check(u"Remote Wake-up", cfgusb::kRemoteWakeup),
    Check(u"Don't delay the usb connect after reset", cfgusb::kNoConnectDelay),
    TextEdit(u"Product Text", cfgusb::kProductText),
    TextEdit(u"Vendor Text", cfgusb::kVendorText),
    TextEdit(u"Serial Number", cfgusb::kSerialNumber),
};

inline constexpr std::array kCfgTmLines{
    Edit(u"Input Line", cfgtm::kInputLine),
    Edit(u"Poll Rate", cfgtm::kPollRate, u"[ms]"),
    Check(u"Enable Timemark", cfgtm::kEnable),
    StatusNote(u"Timemark not available", cfgtm::kNotAvailable),
    List(u"Time Source", cfgtm::kTimeSource),
    List(u"Trigger Edge", cfgtm::kEdge),
};

inline constexpr std::array kCfgTm2Lines{
    Combo(u"Channel", cfgtm2::kChannel),
    Edit(u"Poll Rate", cfgtm2::kPollRate, u"[ms]"),
    Check(u"Channel Enabled", cfgtm2::kEnable),
    List(u"Time Source", cfgtm2::kTimeSource),
    List(u"Trigger Mode", cfgtm2::kMode),
    List(u"Trigger Edge", cfgtm2::kEdge),
};

inline constexpr std::array kCfgNavxLines{
    Edit(u"Min SVs", cfgnavx::kMinSvs), Edit(u"Max SVs", cfgnavx::kMaxSvs),
    Combo(u"Fix Mode", cfgnavx::kFixMode),
    Combo(u"Solution Filter", cfgnavx::kFilter),
    Combo(u"Ionosphere", cfgnavx::kIonosphere),
    Combo(u"Time Mode", cfgnavx::kTimeMode),
    Combo(u"Reset", cfgnavx::kReset),
    Edit(u"Min SV Elevation", cfgnavx::kMinElevation, u"[deg]"),
    Edit(u"Min C/N0", cfgnavx::kMinCn0, u"[dBHz]"),
    Edit(u"PDOP Mask", cfgnavx::kPdop),
    Edit(u"P Accuracy Mask", cfgnavx::kPAccuracy, u"[m]"), Edit(u"T Accuracy Mask", cfgnavx::kTAccuracy, u"[m]"),
    Edit(u"Survey-in Time", cfgnavx::kSurveyTime, u"[s]"),
    Edit(u"Survey-in Accuracy", cfgnavx::kSurveyAccuracy, u"[m]"),
    Edit(u"Fixed Altitude", cfgnavx::kFixedAltitude, u"[m]"),
    Check(u"Antenna settings", cfgnavx::kAntenna),
    Combo(u"Antenna Type", cfgnavx::kAntennaType),
    Combo(u"Mount", cfgnavx::kMount),
    Edit(u"Antenna Height", cfgnavx::kAntennaHeight, u"[m]"),
    Edit(u"Cable Delay", cfgnavx::kCableDelay, u"[ns]"),
};

inline constexpr std::array kCfgItmLines{
    Check(u"Enable Interrupted Tracking", cfgitm::kEnable),
    Check(u"Wake on Timer", cfgitm::kWakeOnTimer), Check(u"Wake on Pin", cfgitm::kWakeOnPin, 3),
    Edit(u"Tracking Time", cfgitm::kTrackTime, u"[ms]"),
    Edit(u"Sleep Time", cfgitm::kSleepTime, u"[ms]"),
    Edit(u"Max Acquisition Time", cfgitm::kAcquisitionTime, u"[ms]"),
    Edit(u"Min SVs", cfgitm::kMinSvs),
    Edit(u"Min C/N0", cfgitm::kMinCn0, u"[dBHz]"),
    Edit(u"Grace Period", cfgitm::kGracePeriod, u"[ms]"),
};

inline constexpr std::array kCfgLptstLines{
    Check(u"Enable Low Power Test", cfglptst::kEnable),
    Check(u"Stop after Test", cfglptst::kStopAfter),
    Check(u"Report Current", cfglptst::kReportCurrent),
    Edit(u"Test Duration", cfglptst::kDuration, u"[s]"),
    Edit(u"On Time", cfglptst::kOnTime, u"[ms]"),
    Edit(u"Off Time", cfglptst::kOffTime, u"[ms]"),
};

inline constexpr std::array kCfgRxmxLines{
    Combo(u"Tracking Mode", cfgrxmx::kTrackingMode),
    Combo(u"Sensitivity", cfgrxmx::kSensitivity),
    Combo(u"Correlator Spacing", cfgrxmx::kSpacing),
    Edit(u"Acquisition Timeout", cfgrxmx::kAcquisitionTimeout, u"[s]"),
    Edit(u"Reacquisition Timeout", cfgrxmx::kReacquisitionTimeout, u"[s]"),
    Edit(u"Search Window", cfgrxmx::kSearchWindow, u"[Hz]"),
    Edit(u"Channels", cfgrxmx::kChannels),
    Check(u"Multipath Mitigation", cfgrxmx::kMultipath),
    Check(u"Jamming Detection", cfgrxmx::kJamming),
};

inline constexpr std::array kCfgRxmoscLines{
    Combo(u"Oscillator", cfgrxmosc::kType),
    Edit(u"Frequency", cfgrxmosc::kFrequency, u"[Hz]"),
    Edit(u"Stability", cfgrxmosc::kStability, u"[ppb]"),
    Edit(u"Aging", cfgrxmosc::kAging, u"[ppb/y]"),
    Edit(u"Warm-up Time", cfgrxmosc::kWarmUp, u"[ms]"),
    Edit(u"Frequency Offset", cfgrxmosc::kOffset, u"[ppb]"),
    Edit(u"Temperature Drift", cfgrxmosc::kTemperatureDrift, u"[ppb/K]"),
    Check(u"Calibrated", cfgrxmosc::kCalibrated),
    Edit(u"Calibration", cfgrxmosc::kCalibration, u"(hex)"),
};

inline constexpr std::array kCfgTrksetLines{
    Combo(u"Tracking Setting", cfgtrkset::kSetting),
    Edit(u"Loop Bandwidth", cfgtrkset::kBandwidth, u"[Hz]"),
    Edit(u"Integration Time", cfgtrkset::kIntegration, u"[ms]"),
};

inline constexpr std::array kCfgTstLines{
    Combo(u"Test Satellite", cfgtst::kSatellite),
    Edit(u"Channel", cfgtst::kChannel),
    Check(u"Generate Signal", cfgtst::kSignal), Check(u"Add Noise", cfgtst::kNoise, 3),
    Edit(u"Doppler", cfgtst::kDoppler, u"[Hz]"),
    Edit(u"Code Phase", cfgtst::kCodePhase, u"[1/1024 chip]"),
    Edit(u"Signal Level", cfgtst::kLevel, u"[dBHz]"),
    Edit(u"Duration", cfgtst::kDuration, u"[s]"),
    Check(u"Extended flags", cfgtst::kExtended),
    Edit(u"Flags", cfgtst::kFlags, u"(hex)"),
};

inline constexpr std::array kCfgMapLines{
    Combo(u"Entry", cfgmap::kEntry),
    Check(u"Active", cfgmap::kActive),
    Edit(u"Source Address", cfgmap::kSource, u"(hex)"),
    Edit(u"Target Address", cfgmap::kTarget, u"(hex)"),
};

inline constexpr std::array kOdoLines{
    Check(u"Enable Odo", odo::kEnable),
    StatusNote(u"Odo is disabled", odo::kDisabled),
    Check(u"Reset Odo", odo::kReset),
    Combo(u"Platform", odo::kPlatform),
};
// clang-format on

inline constexpr auto kCfgFxwControls = LayOutEditor<kCfgFxwLines>();
inline constexpr auto kCfgLogControls = LayOutEditor<kCfgLogLines>();
inline constexpr auto kCfgEkfControls = LayOutEditor<kCfgEkfLines>();
inline constexpr auto kCfgUsbControls = LayOutEditor<kCfgUsbLines>();
inline constexpr auto kCfgTmControls = LayOutEditor<kCfgTmLines>();
inline constexpr auto kCfgTm2Controls = LayOutEditor<kCfgTm2Lines>();
inline constexpr auto kCfgNavxControls = LayOutEditor<kCfgNavxLines>();
inline constexpr auto kCfgItmControls = LayOutEditor<kCfgItmLines>();
inline constexpr auto kCfgLptstControls = LayOutEditor<kCfgLptstLines>();
inline constexpr auto kCfgRxmxControls = LayOutEditor<kCfgRxmxLines>();
inline constexpr auto kCfgRxmoscControls = LayOutEditor<kCfgRxmoscLines>();
inline constexpr auto kCfgTrksetControls = LayOutEditor<kCfgTrksetLines>();
inline constexpr auto kCfgTstControls = LayOutEditor<kCfgTstLines>();
inline constexpr auto kCfgMapControls = LayOutEditor<kCfgMapLines>();
inline constexpr auto kOdoControls = LayOutEditor<kOdoLines>();

inline constexpr ControlTemplate kCustomControls[] = {
    {custom::kClass + kLabelOffset, ControlKind::StaticText, u"Class", {kLeft, 6, 30, kTextLine}},
    {custom::kClass, ControlKind::Edit, u"", {36, 4, 20, 12}},
    {custom::kId + kLabelOffset, ControlKind::StaticText, u"ID", {64, 6, 20, kTextLine}},
    {custom::kId, ControlKind::Edit, u"", {86, 4, 20, 12}},
    {custom::kPayload + kLabelOffset, ControlKind::StaticText, u"Payload (HEX)", {kLeft, 22, 100, kTextLine}},
    {custom::kPayload, ControlKind::MultiLineEdit, u"", {kLeft, 32, kPageWidth - 2 * kLeft, 110}, STYLE_NONE,
     ControlFont::System},
};

// ---- CFG-DAT and CFG-TDB
// clang-format off
inline constexpr std::array kCfgDatLines{
    List(u"Datum", cfgdat::kDatum),
    Heading(u"User datum"),
    Edit(u"Semi-major axis", cfgdat::kSemiMajorAxis, u"[m]"),
    Edit(u"Inverse flattening", cfgdat::kInverseFlattening),
    Edit(u"X shift", cfgdat::kShiftX, u"[m]"), Edit(u"Y shift", cfgdat::kShiftY, u"[m]"),
    Edit(u"Z shift", cfgdat::kShiftZ, u"[m]"),
    Edit(u"X rotation", cfgdat::kRotationX, u"[s]"), Edit(u"Y rotation", cfgdat::kRotationY, u"[s]"),
    Edit(u"Z rotation", cfgdat::kRotationZ, u"[s]"),
    Edit(u"Scale", cfgdat::kScale, u"[ppm]"),
};
// clang-format on
inline constexpr auto kCfgDatControls = LayOutEditor<kCfgDatLines>();

// One text per probe row: the stem and the row's number.
using TdbRowText = std::array<char16_t, 12>;
template <size_t N>
constexpr std::array<TdbRowText, cfgtdb::kProbes> TdbRowTexts(const char16_t (&stem)[N]) {
    std::array<TdbRowText, cfgtdb::kProbes> texts{};
    for (int row = 0; row < cfgtdb::kProbes; ++row) {
        size_t at = 0;
        for (; at + 1 < N; ++at) texts[row][at] = stem[at];
        if (row >= 10) texts[row][at++] = static_cast<char16_t>(u'0' + row / 10);
        texts[row][at] = static_cast<char16_t>(u'0' + row % 10);
    }
    return texts;
}
inline constexpr auto kTdbRowNumbers = TdbRowTexts(u"");

// A column of the probe rows: its heading, where it lies, and the label of each row's list.
struct TdbColumn {
    const char16_t* heading;
    int x;
    int right;
    const std::array<TdbRowText, cfgtdb::kProbes>* labels;
};
// Wider than the other pages, so that the field names fit.
inline constexpr int kTdbPageWidth = 220;
inline constexpr auto kTdbChannelLabels = TdbRowTexts(u"Channel ");
inline constexpr auto kTdbSizeLabels = TdbRowTexts(u"Size ");
inline constexpr auto kTdbOffsetLabels = TdbRowTexts(u"Offset ");
inline constexpr TdbColumn kTdbColumns[] = {
    {u"Channel", 30, 64, &kTdbChannelLabels},
    {u"Size", 66, 116, &kTdbSizeLabels},
    {u"Offset", 118, kTdbPageWidth - kLeft, &kTdbOffsetLabels},
};
inline constexpr int kTdbFirstRow = 46;
inline constexpr int kTdbPageHeight = kTdbFirstRow + cfgtdb::kProbes * kPitch + kLeft;

// Enable and target, then a row per probe under the column headings. Each list's label, which
// names it to the command line, is hidden: the headings name the columns on the page.
constexpr auto TdbControls() {
    using namespace cfgtdb;
    constexpr size_t kColumns = std::size(kTdbColumns);
    std::array<ControlTemplate, 4 + kColumns + kProbes * (1 + 2 * kColumns)> controls{};
    size_t at = 0;
    int plainId = kFirstPlainTextId;
    const auto text = [&](int id, const char16_t* content, int x, int y, int right, uint32_t style, ControlFont font) {
        controls[at++] = {id, ControlKind::StaticText, content, {x, y, right - x, kTextLine}, style, font};
    };
    const int headingY = kTdbFirstRow - 12;
    const int numberRight = kTdbColumns[0].x - 2;
    controls[at++] = {kEnable, ControlKind::CheckBox, u"Enable", {kLeft, kLeft, kTdbPageWidth - 2 * kLeft, 10}};
    text(kTarget + kLabelOffset, u"Target", kLeft, 20, kFieldX - 2, STYLE_NONE, ControlFont::Dialog);
    controls[at++] = {kTarget, ControlKind::Edit, u"", {kFieldX, 18, kFieldWidth, 12}, STYLE_RIGHT};
    text(plainId++, u"Probe", kLeft, headingY, numberRight, STYLE_NONE, ControlFont::Bold);
    for (const TdbColumn& column : kTdbColumns)
        text(plainId++, column.heading, column.x, headingY, column.right, STYLE_NONE, ControlFont::Bold);
    for (int row = 0; row < kProbes; ++row) {
        const int y = kTdbFirstRow + row * kPitch;
        const size_t index = static_cast<size_t>(row);
        text(plainId++, kTdbRowNumbers[index].data(), kLeft, y + 2, numberRight, STYLE_NONE, ControlFont::Dialog);
        int id = kChannel0 + row * kProbeStep;
        for (const TdbColumn& column : kTdbColumns) {
            text(id + kLabelOffset, (*column.labels)[index].data(), column.x, y, column.x, STYLE_HIDDEN,
                 ControlFont::Dialog);
            controls[at++] = {id++, ControlKind::DropDownEdit, u"", {column.x, y, column.right - column.x, 12}};
        }
    }
    return controls;
}
inline constexpr auto kCfgTdbControls = TdbControls();

#define VELTRO_EDITOR_PAGE(id, lines, controls) DialogTemplate{id, kPageWidth, EditorHeight<lines>(), controls}
inline constexpr DialogTemplate kEditorDialogs[] = {
    VELTRO_EDITOR_PAGE(kCfgPrtPage, kCfgPrtLines, kCfgPrtControls),
    VELTRO_EDITOR_PAGE(kCfgMsgPage, kCfgMsgLines, kCfgMsgControls),
    VELTRO_EDITOR_PAGE(kCfgInfPage, kCfgInfLines, kCfgInfControls),
    VELTRO_EDITOR_PAGE(kCfgRstPage, kCfgRstLines, kCfgRstControls),
    VELTRO_EDITOR_PAGE(kCfgRatePage, kCfgRateLines, kCfgRateControls),
    VELTRO_EDITOR_PAGE(kCfgTpPage, kCfgTpLines, kCfgTpControls),
    VELTRO_EDITOR_PAGE(kCfgNavPage, kCfgNavLines, kCfgNavControls),
    VELTRO_EDITOR_PAGE(kCfgNav2Page, kCfgNav2Lines, kCfgNav2Controls),
    VELTRO_EDITOR_PAGE(kCfgTmodePage, kCfgTmodeLines, kCfgTmodeControls),
    VELTRO_EDITOR_PAGE(kCfgCfgPage, kCfgCfgLines, kCfgCfgControls),
    VELTRO_EDITOR_PAGE(kCfgSbasPage, kCfgSbasLines, kCfgSbasControls),
    VELTRO_EDITOR_PAGE(kCfgNmeaPage, kCfgNmeaLines, kCfgNmeaControls),
    VELTRO_EDITOR_PAGE(kCfgAntPage, kCfgAntLines, kCfgAntControls),
    VELTRO_EDITOR_PAGE(kCfgRxmPage, kCfgRxmLines, kCfgRxmControls),
    DialogTemplate{kCustomPage, kPageWidth, 146, kCustomControls},
    // ---- The engineering, power, logging, USB and time-mark settings.
    VELTRO_EDITOR_PAGE(kCfgFxwPage, kCfgFxwLines, kCfgFxwControls),
    VELTRO_EDITOR_PAGE(kCfgLogPage, kCfgLogLines, kCfgLogControls),
    VELTRO_EDITOR_PAGE(kCfgEkfPage, kCfgEkfLines, kCfgEkfControls),
    VELTRO_EDITOR_PAGE(kCfgUsbPage, kCfgUsbLines, kCfgUsbControls),
    VELTRO_EDITOR_PAGE(kCfgTmPage, kCfgTmLines, kCfgTmControls),
    VELTRO_EDITOR_PAGE(kCfgTm2Page, kCfgTm2Lines, kCfgTm2Controls),
    VELTRO_EDITOR_PAGE(kCfgNavxPage, kCfgNavxLines, kCfgNavxControls),
    VELTRO_EDITOR_PAGE(kCfgItmPage, kCfgItmLines, kCfgItmControls),
    VELTRO_EDITOR_PAGE(kCfgLptstPage, kCfgLptstLines, kCfgLptstControls),
    VELTRO_EDITOR_PAGE(kCfgRxmxPage, kCfgRxmxLines, kCfgRxmxControls),
    VELTRO_EDITOR_PAGE(kCfgRxmoscPage, kCfgRxmoscLines, kCfgRxmoscControls),
    VELTRO_EDITOR_PAGE(kCfgTrksetPage, kCfgTrksetLines, kCfgTrksetControls),
    VELTRO_EDITOR_PAGE(kCfgTstPage, kCfgTstLines, kCfgTstControls),
    VELTRO_EDITOR_PAGE(kCfgMapPage, kCfgMapLines, kCfgMapControls),
    VELTRO_EDITOR_PAGE(kOdoPage, kOdoLines, kOdoControls),
    VELTRO_EDITOR_PAGE(kCfgDatPage, kCfgDatLines, kCfgDatControls),
    DialogTemplate{kCfgTdbPage, kTdbPageWidth, kTdbPageHeight, kCfgTdbControls},
};
#undef VELTRO_EDITOR_PAGE

}  // namespace kvb_editor_pages
