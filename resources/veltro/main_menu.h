#pragma once
#include "resources/veltro/command_ids.h"

// Menu 100 and toolbar 100: the menu bar and the main toolbar, entry by entry. A text's part after
// a tab names the item's keyboard shortcut.
enum class MenuEntryKind { Popup, EndPopup, Item, Separator };

struct MenuEntry {
    MenuEntryKind kind;
    unsigned command;
    const char16_t* text;
};

namespace menu_detail {
constexpr MenuEntry Popup(const char16_t* text) { return {MenuEntryKind::Popup, 0, text}; }
constexpr MenuEntry End() { return {MenuEntryKind::EndPopup, 0, nullptr}; }
constexpr MenuEntry Item(unsigned command, const char16_t* text) { return {MenuEntryKind::Item, command, text}; }
constexpr MenuEntry Separator() { return {MenuEntryKind::Separator, 0, nullptr}; }
}  // namespace menu_detail

// clang-format off
inline constexpr MenuEntry kMainMenu[] = {
    menu_detail::Popup(u"&File"),
        menu_detail::Item(cmd::kNew, u"&New...\tCtrl+N"),
        menu_detail::Item(cmd::kSave, u"&Save ...\tCtrl+S"),
        menu_detail::Item(cmd::kOpen, u"&Open...\tCtrl+O"),
        menu_detail::Item(cmd::kClose, u"&Close"),
        menu_detail::Item(cmd::kExport, u"Expor&t..."),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kDatabaseEmpty, u"Database &Empty"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kPreferences, u"&Preferences..."),
        menu_detail::Item(cmd::kOrbitpack, u"&Orbitpack..."),
        menu_detail::Item(cmd::kLogUpload, u"&LOG Upload..."),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kFirstRecentFile, u"Recent Files"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kExit, u"E&xit"),
    menu_detail::End(),
    menu_detail::Popup(u"&View"),
        menu_detail::Item(cmd::kSvSummary, u"SV Summary"),
        menu_detail::Item(cmd::kNavSummary, u"NAV Summary"),
        menu_detail::Item(cmd::kWorldMap, u"World Map"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kPacketConsole, u"Packet Console"),
        menu_detail::Item(cmd::kBinaryConsole, u"Binary Console"),
        menu_detail::Item(cmd::kTextConsole, u"Text Console"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kMessageView, u"Message View"),
        menu_detail::Item(cmd::kStatisticsView, u"Statistics View"),
        menu_detail::Item(cmd::kDeviationMap, u"Deviation Map"),
        menu_detail::Popup(u"Chart View"),
            menu_detail::Item(cmd::kNewChartView, u"New Chart View"),
            menu_detail::Separator(),
            menu_detail::Item(cmd::kFirstRecentChart, u"Recent Chart View"),
        menu_detail::End(),
        menu_detail::Popup(u"Map View"),
            menu_detail::Item(cmd::kNewMapView, u"New Map View"),
            menu_detail::Separator(),
            menu_detail::Item(cmd::kFirstRecentMap, u"Recent Map View"),
        menu_detail::End(),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kRedraw, u"&Redraw\tF5"),
        menu_detail::Item(cmd::kViewToolbar, u"View &Toolbar"),
    menu_detail::End(),
    menu_detail::Popup(u"&Rx"),
        menu_detail::Popup(u"&Port"),
            menu_detail::Item(40208, u"&Disconnect"),
            menu_detail::Item(40209, u"COM&1"),
            menu_detail::Item(40210, u"COM&2"),
            menu_detail::Item(40211, u"COM&3"),
            menu_detail::Item(40212, u"COM&4"),
            menu_detail::Item(40213, u"COM&5"),
            menu_detail::Item(40214, u"COM&6"),
            menu_detail::Item(40215, u"COM&7"),
            menu_detail::Item(40216, u"COM&8"),
            menu_detail::Item(40217, u"COM&9"),
        menu_detail::End(),
        menu_detail::Popup(u"&Baudrate"),
            menu_detail::Item(40192, u"300"),
            menu_detail::Item(40193, u"600"),
            menu_detail::Item(40194, u"1'200"),
            menu_detail::Item(40195, u"2'400"),
            menu_detail::Item(40196, u"4'800"),
            menu_detail::Item(40197, u"9'600"),
            menu_detail::Item(40198, u"14'400"),
            menu_detail::Item(40199, u"19'200"),
            menu_detail::Item(40200, u"28'800"),
            menu_detail::Item(40201, u"38'400"),
            menu_detail::Item(40202, u"56'000"),
            menu_detail::Item(40203, u"57'600"),
            menu_detail::Item(40204, u"115'200"),
            menu_detail::Item(40205, u"128'000"),
            menu_detail::Item(40206, u"230'400"),
            menu_detail::Item(40207, u"256'000"),
        menu_detail::End(),
        menu_detail::Item(40190, u"&Autobauding"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kDebugMessages, u"Enable &Debug Messages"),
        menu_detail::Popup(u"Action"),
            menu_detail::Item(cmd::kColdstart, u"Coldstart"),
            menu_detail::Item(cmd::kWarmstart, u"Warmstart"),
            menu_detail::Item(cmd::kHotstart, u"Hotstart"),
        menu_detail::End(),
        menu_detail::Item(cmd::kAidwellOnline, u"Aidwell Online"),
        menu_detail::Separator(),
        menu_detail::Item(cmd::kSaveConfiguration, u"Save Configuration..."),
        menu_detail::Item(cmd::kLoadConfiguration, u"Load Configuration..."),
    menu_detail::End(),
    menu_detail::Popup(u"&Play"),
        menu_detail::Item(cmd::kEject, u"E&ject\tCtrl+E"),
        menu_detail::Item(cmd::kStop, u"&Stop\tCtrl+H"),
        menu_detail::Item(cmd::kPause, u"P&ause\tCtrl+P"),
        menu_detail::Item(cmd::kRecord, u"&Record\tCtrl+R"),
        menu_detail::Item(cmd::kStep, u"S&tep\tCtrl+Space"),
        menu_detail::Popup(u"Play"),
            menu_detail::Item(cmd::kPlaySlow, u"&Slow"),
            menu_detail::Item(cmd::kPlayNormal, u"&Normal\tCtrl+G"),
            menu_detail::Item(cmd::kPlayFast, u"&Fast"),
        menu_detail::End(),
        menu_detail::Item(cmd::kScan, u"S&can\tCtrl+F"),
        menu_detail::Item(cmd::kGotoBegin, u"Goto &Begin"),
        menu_detail::Item(cmd::kGotoEnd, u"Goto &End"),
    menu_detail::End(),
};

// The main toolbar: About, the connection indicator, Record, Eject and the view toolbar switch.
inline constexpr MenuEntry kMainToolbar[] = {
    menu_detail::Item(cmd::kAbout, u"About"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kIndicatorClosed, u"Connect"),
    menu_detail::Item(cmd::kRecord, u"Record"),
    menu_detail::Item(cmd::kEject, u"Eject"),
    menu_detail::Item(cmd::kViewToolbar, u"View Toolbar"),
};
// clang-format on

// clang-format off
// Menu 226: the text views' context menu.
inline constexpr MenuEntry kEditContextMenu[] = {
    menu_detail::Item(cmd::kEditCut, u"Cu&t"),
    menu_detail::Item(cmd::kEditCopy, u"&Copy"),
    menu_detail::Item(cmd::kEditPaste, u"&Paste"),
    menu_detail::Item(cmd::kEditDelete, u"&Delete"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kEditSelectAll, u"Select A&ll"),
    menu_detail::Item(cmd::kEditClearAll, u"C&lear All"),
};

// Toolbar 112: the consoles' run, pause, clear and filter; the filter's edit box takes the place
// of its button.
inline constexpr MenuEntry kConsoleToolbar[] = {
    menu_detail::Item(cmd::kViewRun, u"Run"),
    menu_detail::Item(cmd::kViewPause, u"Pause"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kEditClearAll, u"Clear All"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kFilter, u"Filter"),
    menu_detail::Item(cmd::kFilterEdit, u"Filter Text"),
};

// Toolbar 123: the progress views' keep-open switch, their own action and the progress bar in
// the place of its button.
inline constexpr MenuEntry kProgressToolbar[] = {
    menu_detail::Item(cmd::kViewRun, u"Close When Done"),
    menu_detail::Item(cmd::kViewPause, u"Keep Open"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kProgressAction, u"Action"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kProgressBar, u"Progress"),
};

// Toolbar 116: the message view's list of messages, hold, poll, auto poll, send, reset, save, load
// and the age of the copy shown; the list and the age field take the places of their buttons.
inline constexpr MenuEntry kMessageToolbar[] = {
    menu_detail::Item(cmd::kMessageList, u"Message"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kHoldOff, u"Hold Off"),
    menu_detail::Item(cmd::kHoldOn, u"Hold"),
    menu_detail::Item(cmd::kPollMessage, u"Poll"),
    menu_detail::Item(cmd::kAutoPoll, u"Auto Poll"),
    menu_detail::Item(cmd::kSendMessage, u"Send"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kResetMessage, u"Reset"),
    menu_detail::Item(cmd::kSaveMessage, u"Save"),
    menu_detail::Item(cmd::kLoadMessage, u"Load"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kMessageAge, u"Age"),
};
// clang-format on

// clang-format off
// The map view's toolbar.
inline constexpr MenuEntry kMapToolbar[] = {
    menu_detail::Item(cmd::kOpenMap, u"Open Map"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kZoomIn, u"Zoom In"),
    menu_detail::Item(cmd::kZoomOut, u"Zoom Out"),
    menu_detail::Item(cmd::kFitMap, u"Fit"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kFollowPosition, u"Follow"),
    menu_detail::Item(cmd::kShowTrack, u"Track"),
    menu_detail::Item(cmd::kShowMarkers, u"Markers"),
    menu_detail::Item(cmd::kSecondPosition, u"Second Position"),
    menu_detail::Item(cmd::kCalibrationPoints, u"Calibration Points"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kEditCopy, u"Copy"),
};

// The deviation map's context menu.
inline constexpr MenuEntry kDeviationContextMenu[] = {
    menu_detail::Item(cmd::kDeviationPoints, u"Show &Points"),
    menu_detail::Item(cmd::kDeviationStatistics, u"Show &Statistics"),
    menu_detail::Separator(),
    menu_detail::Item(cmd::kEditCopy, u"&Copy"),
    menu_detail::Item(cmd::kDeviationProperties, u"P&roperties..."),
};
// clang-format on
