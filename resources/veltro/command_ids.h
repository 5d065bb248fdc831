#pragma once

// Command identifiers of the program's menus and toolbar. The port, rate and autobaud commands
// are the connection's own (host/core/connection/connection_control.h, host/core/connection/baud_rates.h).
namespace cmd {

// File
constexpr unsigned kNew = 40076;
constexpr unsigned kSave = 40077;
constexpr unsigned kOpen = 57601;
constexpr unsigned kClose = 40075;
// The epoch history as a track or a table (GPX, KML, GeoJSON, CSV, JSON lines).
constexpr unsigned kExport = 40620;
constexpr unsigned kDatabaseEmpty = 40038;
constexpr unsigned kPreferences = 40557;
constexpr unsigned kOrbitpack = 40574;
constexpr unsigned kLogUpload = 40575;
constexpr unsigned kFirstRecentFile = 57616;
constexpr unsigned kExit = 57665;

// View
constexpr unsigned kSvSummary = 40588;
constexpr unsigned kNavSummary = 40589;
constexpr unsigned kWorldMap = 40523;
constexpr unsigned kPacketConsole = 40175;
constexpr unsigned kBinaryConsole = 40011;
constexpr unsigned kTextConsole = 40485;
constexpr unsigned kMessageView = 40125;
constexpr unsigned kStatisticsView = 40594;
constexpr unsigned kDeviationMap = 40045;
constexpr unsigned kNewChartView = 40014;
constexpr unsigned kFirstRecentChart = 40127;
constexpr unsigned kLastRecentChart = 40142;
constexpr unsigned kNewMapView = 40593;
constexpr unsigned kFirstRecentMap = 40499;
constexpr unsigned kLastRecentMap = 40514;
constexpr unsigned kRedraw = 40472;
constexpr unsigned kViewToolbar = 40601;

// Rx: receiver commands and assistance
constexpr unsigned kDebugMessages = 40576;
constexpr unsigned kColdstart = 40008;
constexpr unsigned kWarmstart = 40010;
constexpr unsigned kHotstart = 40009;
constexpr unsigned kAidwellOnline = 40563;
constexpr unsigned kSaveConfiguration = 40630;
constexpr unsigned kLoadConfiguration = 40631;

// Play
constexpr unsigned kEject = 40176;
constexpr unsigned kStop = 40188;
constexpr unsigned kPause = 40179;
constexpr unsigned kRecord = 40184;
constexpr unsigned kStep = 40187;
constexpr unsigned kPlaySlow = 40181;
constexpr unsigned kPlayNormal = 40182;
constexpr unsigned kPlayFast = 40183;
constexpr unsigned kScan = 40185;
constexpr unsigned kGotoBegin = 40177;
constexpr unsigned kGotoEnd = 40178;

constexpr unsigned kAbout = 57664;

// The connection indicator: one button, whichever the state shows.
constexpr unsigned kIndicatorReceiving = 40469;
constexpr unsigned kIndicatorClosed = 40470;
constexpr unsigned kIndicatorQuiet = 40599;
constexpr unsigned kIndicatorLineErrors = 40600;
constexpr unsigned kIndicatorQuietAfterErrors = 40596;

}  // namespace cmd

// The text views' own commands: the edit context menu, the consoles' and the progress views'
// toolbars.
namespace cmd {

constexpr unsigned kEditDelete = 57632;
constexpr unsigned kEditClearAll = 57633;
constexpr unsigned kEditCopy = 57634;
constexpr unsigned kEditCut = 57635;
constexpr unsigned kEditPaste = 57637;
constexpr unsigned kEditSelectAll = 57642;
// Console: run and pause; progress view: keep open off and on.
constexpr unsigned kViewRun = 40570;
constexpr unsigned kViewPause = 40571;
constexpr unsigned kViewTogglePause = 40097;
constexpr unsigned kProgressBar = 40572;
constexpr unsigned kProgressAction = 40573;
constexpr unsigned kFilter = 40032;
constexpr unsigned kFilterEdit = 40034;

}  // namespace cmd

// The message view's toolbar. The age field has no command of its own; it stands in the place of
// kMessageAge.
namespace cmd {

constexpr unsigned kAutoPoll = 40115;
constexpr unsigned kResetMessage = 40117;
constexpr unsigned kMessageList = 40118;
constexpr unsigned kLoadMessage = 40119;
constexpr unsigned kMessageAge = 40120;
constexpr unsigned kPollMessage = 40121;
constexpr unsigned kSaveMessage = 40122;
constexpr unsigned kSendMessage = 40123;
// Hold off and on share the consoles' run and pause, and their toggle.
constexpr unsigned kHoldOff = kViewRun;
constexpr unsigned kHoldOn = kViewPause;

}  // namespace cmd

// The map view's toolbar and the deviation map's context menu; copy is kEditCopy.
namespace cmd {

constexpr unsigned kOpenMap = 40651;
constexpr unsigned kZoomIn = 40652;
constexpr unsigned kZoomOut = 40653;
constexpr unsigned kFitMap = 40654;
constexpr unsigned kFollowPosition = 40655;
constexpr unsigned kSecondPosition = 40656;
constexpr unsigned kCalibrationPoints = 40657;
constexpr unsigned kShowTrack = 40658;
constexpr unsigned kShowMarkers = 40659;
constexpr unsigned kDeviationPoints = 40660;
constexpr unsigned kDeviationStatistics = 40661;
constexpr unsigned kDeviationProperties = 40662;

}  // namespace cmd
