#pragma once
#include "plugins/nmea/resources/nmea_resource_ids.h"
#include "shared/dialog_template.h"

// The plug-in's pages, in dialog units of "MS Sans Serif" at 8 points.
namespace nmea_page {

// clang-format off
inline constexpr ControlTemplate kFieldListControls[] = {
    {kList, ControlKind::ListControl, u"", {0, 0, 150, 23}},
};

inline constexpr ControlTemplate kUnknownControls[] = {
    {kSentence, ControlKind::MultiLineEdit, u"", {0, 0, 80, 12}, STYLE_READ_ONLY, ControlFont::System},
};

// The picture's text names the bitmap it shows.
inline constexpr ControlTemplate kProtocolControls[] = {
    {kLogo, ControlKind::Picture, u"1004", {4, 4, 24, 24}},
    {kStatic, ControlKind::StaticText,
     u"NMEA 0183\n\nNational Marine Electronics Association\nStandard for interfacing Marine Electronic Devices",
     {34, 2, 199, 32}},
    {kStatic, ControlKind::StaticText,
     u"Each NMEA message starts with a '$' character and is terminated with a <cr><lf> carriage-return "
     u"line-feed sequence. The maximum length of the message is limited to 82 characters including the start "
     u"and end sequence.",
     {2, 35, 231, 33}},
    {kStatic, ControlKind::StaticText,
     u"The start character is followed by an address field, which consists of a talker ID and a message "
     u"identifier. The talker ID GP identifies a GPS receiver. The payload of the message consists of various "
     u"data fields separated by commas ','.",
     {2, 69, 231, 33}},
    {kStatic, ControlKind::StaticText,
     u"The payload is followed by a '*' character which identifies the start of the checksum. The checksum is a "
     u"8 bit exclusive or of all characters between the '$' and the '*' character. It is transmitted as two "
     u"characters representing the hexadecimal value of the checksum.",
     {2, 103, 231, 42}},
};

inline constexpr ControlTemplate kGsvControls[] = {
    {kStatic, ControlKind::StaticText,
     u"This message is sent in different pages. Each page contains position and signal to noise ratio for some "
     u"of the visible satellites.",
     {2, 1, 140, 33}},
    {kStatic, ControlKind::StaticText, u"Page Count / Total", {145, 1, 56, 16}},
    {kPageCount, ControlKind::Edit, u"", {203, 3, 30, 12}, STYLE_READ_ONLY | STYLE_RIGHT},
    {kStatic, ControlKind::StaticText, u"Visible Satellites", {145, 18, 56, 16}},
    {kVisibleSatellites, ControlKind::Edit, u"", {203, 20, 30, 12}, STYLE_READ_ONLY | STYLE_RIGHT},
    {kList, ControlKind::ListControl, u"", {0, 34, 235, 23}},
};

inline constexpr ControlTemplate kCustomControls[] = {
    {kAppendChecksum, ControlKind::CheckBox, u"Append Checksum", {2, 1, 76, 10}},
    // Not shown: it names the sentence field where the program speaks of it.
    {kStatic, ControlKind::StaticText, u"Sentence", {0, 12, 1, 1}, STYLE_HIDDEN},
    {kSentence, ControlKind::MultiLineEdit, u"", {0, 12, 80, 13}, STYLE_NONE, ControlFont::System},
};

inline constexpr ControlTemplate kTxtControls[] = {
    {kStatic, ControlKind::StaticText, u"Text Identifyer:", {4, 4, 56, 9}},
    {kTextIdentifier, ControlKind::Edit, u"", {62, 2, 124, 12}, STYLE_READ_ONLY},
    {kStatic, ControlKind::StaticText, u"Text:", {4, 19, 56, 9}},
    {kText, ControlKind::MultiLineEdit, u"", {62, 17, 124, 32}, STYLE_READ_ONLY},
};
// clang-format on

inline constexpr DialogTemplate kDialogs[] = {
    {kFieldList, 150, 23, kFieldListControls}, {kUnknown, 80, 12, kUnknownControls},
    {kProtocol, 235, 146, kProtocolControls},  {kGsv, 235, 57, kGsvControls},
    {kCustom, 80, 25, kCustomControls},        {kTxt, 190, 51, kTxtControls},
};

}  // namespace nmea_page
