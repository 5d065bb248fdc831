#pragma once
#include "shared/dialog_template.h"

// The program's own pages: the CUSTOM root's (free bytes, as text or hexadecimal), and the
// services' dialogs.
namespace dialog {

// Labels that the code never addresses.
inline constexpr int kStatic = -1;

inline constexpr int kCustomMessage = 138;
// The UNKNOWN root names a page the program does not carry, so it has none.
inline constexpr int kUnknownMessage = 139;

inline constexpr int kCustomHexMode = 1044;
inline constexpr int kCustomContent = 1027;
inline constexpr int kCustomContentLimit = 1000;

// clang-format off
inline constexpr ControlTemplate kCustomMessageControls[] = {
    {1000, ControlKind::StaticText, u"Message bytes, sent as they stand:", {4, 4, 150, 9}},
    {kCustomHexMode, ControlKind::CheckBox, u"Hexadecimal", {160, 3, 70, 10}},
    {kCustomContent, ControlKind::MultiLineEdit, u"", {4, 16, 226, 120}, STYLE_NONE, ControlFont::System},
};
// clang-format on

// A service's worker at work: its status line and progress bar.
inline constexpr int kWorkerProgress = 2097;
inline constexpr char16_t kWorkerProgressCaption[] = u"Progress ...";
inline constexpr int kProgressStatus = 1099;
inline constexpr int kProgressBar = 1173;

// clang-format off
inline constexpr ControlTemplate kWorkerProgressControls[] = {
    {kProgressStatus, ControlKind::StaticText, u"", {6, 6, 108, 31}},
    {kProgressBar, ControlKind::ProgressBar, u"", {6, 40, 108, 8}},
};
// clang-format on

// The request to the Aidwell Online server: the reference position, the reset before it, the
// server and what is asked of it.
inline constexpr int kAidwellOnline = 2098;
inline constexpr char16_t kAidwellOnlineCaption[] = u"Aidwell Online";
inline constexpr int kAidwellCancel = 2;
inline constexpr int kAidwellUseCurrent = 3;
inline constexpr int kAidwellAltitude = 1188;
inline constexpr int kAidwellAccuracy = 1189;
inline constexpr int kAidwellServer = 1190;
inline constexpr int kAidwellPort = 1191;
inline constexpr int kAidwellUser = 1192;
inline constexpr int kAidwellPassword = 1193;
inline constexpr int kAidwellLatitude = 1194;
inline constexpr int kAidwellLongitude = 1195;
inline constexpr int kAidwellRequest = 1196;
inline constexpr int kAidwellReset = 1197;

// clang-format off
inline constexpr ControlTemplate kAidwellOnlineControls[] = {
    {kStatic, ControlKind::GroupBox, u"Reference Position", {2, 2, 152, 56}},
    {kStatic, ControlKind::StaticText, u"Lat", {5, 14, 16, 8}},
    {kAidwellLatitude, ControlKind::Edit, u"", {21, 12, 43, 12}},
    {kStatic, ControlKind::StaticText, u"[deg]", {65, 14, 19, 8}},
    {kStatic, ControlKind::StaticText, u"Alt", {85, 14, 13, 8}},
    {kAidwellAltitude, ControlKind::Edit, u"", {99, 12, 38, 12}},
    {kStatic, ControlKind::StaticText, u"[m]", {138, 14, 14, 8}},
    {kStatic, ControlKind::StaticText, u"Long", {5, 28, 16, 8}},
    {kAidwellLongitude, ControlKind::Edit, u"", {21, 26, 43, 12}},
    {kStatic, ControlKind::StaticText, u"[deg]", {65, 28, 19, 8}},
    {kStatic, ControlKind::StaticText, u"Acc", {85, 28, 13, 8}},
    {kAidwellAccuracy, ControlKind::Edit, u"", {99, 26, 38, 12}},
    {kStatic, ControlKind::StaticText, u"[m]", {138, 28, 14, 8}},
    {kAidwellUseCurrent, ControlKind::PushButton, u"Use Current", {6, 41, 57, 13}},
    {kStatic, ControlKind::StaticText, u"Rst", {85, 43, 13, 8}},
    {kAidwellReset, ControlKind::DropDownList, u"", {99, 41, 51, 13}},
    {kStatic, ControlKind::GroupBox, u"Server", {2, 60, 152, 50}},
    {kStatic, ControlKind::StaticText, u"Adr", {6, 72, 17, 8}},
    {kAidwellServer, ControlKind::Edit, u"", {24, 70, 80, 12}},
    {kStatic, ControlKind::StaticText, u"Port", {107, 72, 17, 8}},
    {kAidwellPort, ControlKind::Edit, u"", {124, 70, 26, 12}, STYLE_DIGITS},
    {kStatic, ControlKind::StaticText, u"User", {6, 86, 17, 8}},
    {kAidwellUser, ControlKind::Edit, u"", {24, 84, 48, 12}},
    {kStatic, ControlKind::StaticText, u"Pwd", {76, 86, 16, 8}},
    {kAidwellPassword, ControlKind::Edit, u"", {92, 84, 58, 12}, STYLE_PASSWORD},
    {kStatic, ControlKind::StaticText, u"Req", {6, 97, 17, 8}},
    {kAidwellRequest, ControlKind::DropDownEdit, u"", {24, 95, 48, 13}},
    {kAidwellCancel, ControlKind::PushButton, u"Cancel", {100, 113, 54, 13}},
};
// clang-format on

// IDD_LINK_PROMPT: where the Orbitpack update takes its file from.
inline constexpr int kLinkPrompt = 2099;
inline constexpr char16_t kLinkPromptCaption[] = u"Orbitpack";
inline constexpr int kLinkPromptOk = 1;
inline constexpr int kLinkPromptCancel = 2;
inline constexpr int kLinkPromptSource = 1212;
inline constexpr int kLinkPromptBrowse = 1209;

// clang-format off
inline constexpr ControlTemplate kLinkPromptControls[] = {
    {kStatic, ControlKind::StaticText, u"Select Source:", {4, 4, 100, 8}},
    {kLinkPromptSource, ControlKind::DropDownEdit, u"", {4, 15, 130, 13}},
    {kLinkPromptBrowse, ControlKind::PushButton, u"...", {137, 15, 15, 13}},
    {kLinkPromptOk, ControlKind::PushButton, u"Ok", {44, 36, 50, 14}},
    {kLinkPromptCancel, ControlKind::PushButton, u"Cancel", {100, 36, 52, 14}},
};
// clang-format on

// The Preferences' page "Generic": the serial-port options, the history size, the program options
// line, and the device that each port number stands for.
inline constexpr int kOptionsGeneric = 2096;
inline constexpr char16_t kOptionsGenericCaption[] = u"Generic";
inline constexpr char16_t kOptionsSheetCaption[] = u"Preferences";
inline constexpr int kOptionsEnumPorts = 1162;
inline constexpr int kOptionsAutoConnect = 1163;
inline constexpr int kOptionsMaxPorts = 1166;
inline constexpr int kOptionsMaxPortsSpin = 1167;
inline constexpr int kOptionsHistoryDuration = 1169;
inline constexpr int kOptionsHistorySize = 1170;
inline constexpr int kOptionsHistorySizeSpin = 1171;
inline constexpr int kOptionsCommandLine = 1213;
// COMn's device: kOptionsPortDevice + n.
inline constexpr int kOptionsPortDevice = 1230;

// clang-format off
inline constexpr ControlTemplate kOptionsGenericControls[] = {
    {kOptionsAutoConnect, ControlKind::CheckBox,
     u"Automatically (dis)connect if most recently used serial port (dis)appears.", {4, 4, 292, 10}},
    {kOptionsEnumPorts, ControlKind::CheckBox, u"Enumerate serial ports (this may slow down menus).", {4, 16, 292, 10}},
    {kStatic, ControlKind::StaticText, u"Maximum number of serial ports", {4, 31, 120, 8}},
    {kOptionsMaxPorts, ControlKind::Edit, u"", {126, 29, 36, 12}, STYLE_RIGHT},
    {kOptionsMaxPortsSpin, ControlKind::Spin, u"", {162, 29, 11, 12}},
    {kStatic, ControlKind::StaticText, u"Maximum number of epochs", {4, 47, 120, 8}},
    {kOptionsHistorySize, ControlKind::Edit, u"", {126, 45, 36, 12}, STYLE_RIGHT},
    {kOptionsHistorySizeSpin, ControlKind::Spin, u"", {162, 45, 11, 12}},
    {kOptionsHistoryDuration, ControlKind::StaticText, u"", {178, 47, 118, 8}},
    {kStatic, ControlKind::GroupBox, u"Ports", {2, 61, 296, 150}},
    {kStatic, ControlKind::StaticText, u"COM1", {8, 76, 22, 8}},
    {kOptionsPortDevice + 1, ControlKind::DropDownEdit, u"", {32, 74, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM2", {8, 91, 22, 8}},
    {kOptionsPortDevice + 2, ControlKind::DropDownEdit, u"", {32, 89, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM3", {8, 106, 22, 8}},
    {kOptionsPortDevice + 3, ControlKind::DropDownEdit, u"", {32, 104, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM4", {8, 121, 22, 8}},
    {kOptionsPortDevice + 4, ControlKind::DropDownEdit, u"", {32, 119, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM5", {8, 136, 22, 8}},
    {kOptionsPortDevice + 5, ControlKind::DropDownEdit, u"", {32, 134, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM6", {8, 151, 22, 8}},
    {kOptionsPortDevice + 6, ControlKind::DropDownEdit, u"", {32, 149, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM7", {8, 166, 22, 8}},
    {kOptionsPortDevice + 7, ControlKind::DropDownEdit, u"", {32, 164, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM8", {8, 181, 22, 8}},
    {kOptionsPortDevice + 8, ControlKind::DropDownEdit, u"", {32, 179, 260, 13}},
    {kStatic, ControlKind::StaticText, u"COM9", {8, 196, 22, 8}},
    {kOptionsPortDevice + 9, ControlKind::DropDownEdit, u"", {32, 194, 260, 13}},
    {kStatic, ControlKind::StaticText, u"Program Options (requires restart):", {4, 216, 200, 8}},
    {kOptionsCommandLine, ControlKind::Edit, u"", {4, 226, 292, 12}},
};
// clang-format on

// The deviation map's properties: how the reference is chosen, the fixed point and the scale.
inline constexpr int kDeviationProperties = 128;
inline constexpr char16_t kDeviationPropertiesCaption[] = u"Deviation Map Properties";
inline constexpr int kDeviationOk = 1;
inline constexpr int kDeviationCancel = 2;
inline constexpr int kDeviationAverage = 1077;
inline constexpr int kDeviationCurrent = 1078;
inline constexpr int kDeviationFixed = 1079;
inline constexpr int kDeviationLatitude = 1048;
inline constexpr int kDeviationLongitude = 1054;
inline constexpr int kDeviationMaximum = 1059;

// clang-format off
inline constexpr ControlTemplate kDeviationPropertiesControls[] = {
    {kDeviationAverage, ControlKind::RadioButton, u"Average Point", {6, 4, 80, 10}, STYLE_GROUP},
    {kDeviationCurrent, ControlKind::RadioButton, u"Current Point", {6, 15, 80, 10}},
    {kDeviationFixed, ControlKind::RadioButton, u"Fix Point", {6, 26, 80, 10}},
    {kStatic, ControlKind::StaticText, u"Latitude:", {6, 42, 50, 8}},
    {kDeviationLatitude, ControlKind::Edit, u"", {58, 40, 70, 12}},
    {kStatic, ControlKind::StaticText, u"[\u00B0]", {131, 42, 16, 8}},
    {kStatic, ControlKind::StaticText, u"Longitude:", {6, 56, 50, 8}},
    {kDeviationLongitude, ControlKind::Edit, u"", {58, 54, 70, 12}},
    {kStatic, ControlKind::StaticText, u"[\u00B0]", {131, 56, 16, 8}},
    {kStatic, ControlKind::StaticText, u"Max. Deviation:", {6, 70, 50, 8}},
    {kDeviationMaximum, ControlKind::Edit, u"", {58, 68, 40, 12}},
    {kStatic, ControlKind::StaticText, u"[m]", {101, 70, 16, 8}},
    {kDeviationOk, ControlKind::PushButton, u"OK", {40, 83, 50, 13}},
    {kDeviationCancel, ControlKind::PushButton, u"Cancel", {96, 83, 50, 13}},
};
// clang-format on

inline constexpr DialogTemplate kDialogs[] = {
    {kCustomMessage, 234, 140, kCustomMessageControls},
    {kWorkerProgress, 120, 52, kWorkerProgressControls},
    {kAidwellOnline, 156, 127, kAidwellOnlineControls},
    {kLinkPrompt, 156, 55, kLinkPromptControls},
    {kOptionsGeneric, 300, 242, kOptionsGenericControls},
    {kDeviationProperties, 152, 98, kDeviationPropertiesControls},
};

}  // namespace dialog
