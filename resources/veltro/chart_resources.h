#pragma once
#include "resources/veltro/dialogs.h"
#include "resources/veltro/main_menu.h"

// The chart view's and the statistic view's commands, toolbar, context menu, dialog and texts.
namespace cmd {

// The toolbar's mouse-mode button: only the current mode's shows; it steps to the next mode.
constexpr unsigned kChartModeCursor = 40603;
constexpr unsigned kChartModeMove = 40604;
constexpr unsigned kChartModeZoomIn = 40605;
constexpr unsigned kChartModeZoomOut = 40606;
constexpr unsigned kChartAxisProperties = 40049;
constexpr unsigned kChartXFit = 40016;
constexpr unsigned kChartXFollow = 40017;
constexpr unsigned kChartXList = 40018;
constexpr unsigned kChartYFit = 40020;
constexpr unsigned kChartYFollow = 40021;
constexpr unsigned kChartYList = 40022;
// The context menu's mouse modes, point styles 0 to 4, connect styles 0 to 2.
constexpr unsigned kChartCursor = 40486;
constexpr unsigned kChartMove = 40487;
constexpr unsigned kChartZoomIn = 40488;
constexpr unsigned kChartZoomOut = 40489;
constexpr unsigned kChartPointsNone = 40053;
constexpr unsigned kChartPointsBoldCross = 40057;
constexpr unsigned kChartConnectNone = 40050;
constexpr unsigned kChartConnectConsecutive = 40052;
constexpr unsigned kChartStatistics = 40058;
constexpr unsigned kChartSaveData = 40710;
constexpr unsigned kChartSavePicture = 40711;

}  // namespace cmd

// clang-format off
// Toolbar 110: the mouse mode, the axis properties, and fit, follow and the value list of each axis;
// the lists take the places of their buttons.
inline constexpr MenuEntry kChartToolbar[] = {
    menu_detail::Item(cmd::kChartModeCursor, u"Cursor"),
    menu_detail::Item(cmd::kChartModeMove, u"Move"),
    menu_detail::Item(cmd::kChartModeZoomIn, u"Zoom In"),
    menu_detail::Item(cmd::kChartModeZoomOut, u"Zoom Out"),
    menu_detail::Item(cmd::kChartAxisProperties, u"Axes"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kChartYFit, u"Y Fit"),
    menu_detail::Item(cmd::kChartYFollow, u"Y Follow"),
    menu_detail::Item(cmd::kChartYList, u"Y"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kChartXFit, u"X Fit"),
    menu_detail::Item(cmd::kChartXFollow, u"X Follow"),
    menu_detail::Item(cmd::kChartXList, u"X"),
};

// The chart's context menu, on the right button.
inline constexpr MenuEntry kChartContextMenu[] = {
    menu_detail::Item(cmd::kChartCursor, u"C&ursor"),
    menu_detail::Item(cmd::kChartMove, u"&Move"),
    menu_detail::Item(cmd::kChartZoomIn, u"Zoom &In"),
    menu_detail::Item(cmd::kChartZoomOut, u"Zoom &Out"),
    menu_detail::Separator(),
    menu_detail::Popup(u"&Points"),
        menu_detail::Item(cmd::kChartPointsNone, u"&None"),
        menu_detail::Item(cmd::kChartPointsNone + 1, u"&Dot"),
        menu_detail::Item(cmd::kChartPointsNone + 2, u"&Bold Dot"),
        menu_detail::Item(cmd::kChartPointsNone + 3, u"&Cross"),
        menu_detail::Item(cmd::kChartPointsBoldCross, u"B&old Cross"),
    menu_detail::End(),
    menu_detail::Popup(u"&Lines"),
        menu_detail::Item(cmd::kChartConnectNone, u"&None"),
        menu_detail::Item(cmd::kChartConnectNone + 1, u"&Always"),
        menu_detail::Item(cmd::kChartConnectConsecutive, u"&Consecutive"),
    menu_detail::End(),
    menu_detail::Item(cmd::kChartStatistics, u"&Statistics"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kChartAxisProperties, u"&Axis Properties..."),
    menu_detail::Item(cmd::kEditCopy, u"&Copy"),
    menu_detail::Item(cmd::kChartSaveData, u"Save &Data..."),
    menu_detail::Item(cmd::kChartSavePicture, u"Save P&icture..."),
};
// clang-format on

namespace dialog {

// The chart's axis properties: each axis's value with its unit, and the range in view.
inline constexpr int kChartAxes = 2110;
inline constexpr char16_t kChartAxesCaption[] = u"Axis Properties";
inline constexpr int kChartAxesOk = 1;
inline constexpr int kChartAxesCancel = 2;
inline constexpr int kChartYName = 1301;
inline constexpr int kChartYLow = 1302;
inline constexpr int kChartYHigh = 1303;
inline constexpr int kChartXName = 1304;
inline constexpr int kChartXLow = 1305;
inline constexpr int kChartXHigh = 1306;

// clang-format off
inline constexpr ControlTemplate kChartAxesControls[] = {
    {kStatic, ControlKind::GroupBox, u"Y Axis", {2, 2, 152, 38}},
    {kChartYName, ControlKind::StaticText, u"", {6, 12, 144, 8}},
    {kStatic, ControlKind::StaticText, u"Low", {6, 25, 18, 8}},
    {kChartYLow, ControlKind::Edit, u"", {24, 23, 50, 12}},
    {kStatic, ControlKind::StaticText, u"High", {80, 25, 18, 8}},
    {kChartYHigh, ControlKind::Edit, u"", {100, 23, 50, 12}},
    {kStatic, ControlKind::GroupBox, u"X Axis", {2, 42, 152, 38}},
    {kChartXName, ControlKind::StaticText, u"", {6, 52, 144, 8}},
    {kStatic, ControlKind::StaticText, u"Low", {6, 65, 18, 8}},
    {kChartXLow, ControlKind::Edit, u"", {24, 63, 50, 12}},
    {kStatic, ControlKind::StaticText, u"High", {80, 65, 18, 8}},
    {kChartXHigh, ControlKind::Edit, u"", {100, 63, 50, 12}},
    {kChartAxesOk, ControlKind::PushButton, u"OK", {44, 84, 50, 14}},
    {kChartAxesCancel, ControlKind::PushButton, u"Cancel", {100, 84, 52, 14}},
};
// clang-format on

inline constexpr DialogTemplate kChartAxesDialog{kChartAxes, 156, 102, kChartAxesControls};

}  // namespace dialog

inline constexpr char16_t kChartFileNotWritten[] = u"The file could not be written.";
