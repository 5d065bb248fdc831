#pragma once
#include "shared/dialog_template.h"

// The program's own pages: the CUSTOM root's (free bytes, as text or hexadecimal).
namespace dialog {

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

inline constexpr DialogTemplate kDialogs[] = {
    {kCustomMessage, 234, 140, kCustomMessageControls},
};

}  // namespace dialog
