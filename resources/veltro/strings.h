#pragma once
#include "resources/string_resource.h"
#include "resources/veltro/message_boxes.h"

// The program's texts that the windows show; its message boxes are in message_boxes.h.

// A port's status-bar prompt and menu text, formatted with its number.
inline constexpr StringResource kPortPrompt{40209, u"Open COM%d\nCOM%d"};
// The Preferences' choice for a port number that goes to one of the devices present.
inline constexpr char16_t kPortAutomatic[] = u"(automatic)";

inline constexpr char16_t kAboutTitle[] = u"About Veltro";
// Followed by the build date.
inline constexpr char16_t kAboutText[] =
    u"Veltro 4.02\n\nGPS receiver evaluation and configuration.\n\n"
    u"Korvala Positioning\nsupport@korvala.example\n\nBuilt ";

inline constexpr char16_t kViewSetupNotRestored[] =
    u"The stored view setup does not fit this version of the view and has been removed from the list.";

// The connection indicator's tool tips, one per button.
inline constexpr char16_t kIndicatorClosedText[] = u"Not connected: click to connect";
inline constexpr char16_t kIndicatorReceivingText[] = u"Receiving: click to disconnect";
inline constexpr char16_t kIndicatorQuietText[] = u"Connected, no data: click to disconnect";
inline constexpr char16_t kIndicatorLineErrorsText[] = u"Receiving with line errors: click to disconnect";
inline constexpr char16_t kIndicatorQuietAfterErrorsText[] = u"No data after line errors: click to disconnect";

// The connection (port number, device, rate), the received bytes and the log, as the status bar
// shows them.
inline constexpr char16_t kStatusConnected[] = u"COM%d %s, %u baud";
inline constexpr char16_t kStatusClosed[] = u"Not connected";
inline constexpr char16_t kStatusReceived[] = u"%llu bytes received";
inline constexpr char16_t kStatusReplay[] = u"Replay: %lld of %lld bytes";
inline constexpr char16_t kStatusRecording[] = u"\u25CF REC %lld bytes";
inline constexpr char16_t kReplaySliderTip[] = u"Replay position: drag or click to seek";
inline constexpr char16_t kStatusRecordingPaused[] = u"REC paused: %lld bytes";

// The placeholder view shown while a view of the menu is not available.
inline constexpr char16_t kPlaceholderNoTime[] = u"No time from the receiver yet";
inline constexpr char16_t kPlaceholderTime[] = u"%04d-%02d-%02d %02d:%02d:%02d UTC";

inline constexpr char16_t kOpenReadOnly[] = u"Open as read-only";
inline constexpr char16_t kAllFilesFilter[] = u"All Files (*.*)";

// The receiver time that stamps the text views' lines (a strftime format), and its stand-in while
// no time is known.
inline constexpr StringResource kStampTimeFormat{187, u"%H:%M:%S"};
inline constexpr StringResource kStampNoTime{215, u"??:??:??"};

// The message view's notices.
// The status line while a field of the page holds a value that its message cannot take, with the
// field's label.
inline constexpr StringResource kRejectedInput{180, u"Invalid value in \"%s\": correct it to send the message"};
inline constexpr char16_t kNotSameFormat[] = u"The message selected in not of the same format";
inline constexpr char16_t kMessageFileUnreadable[] = u"The message file could not be read.";
inline constexpr char16_t kMessageFileNotWritten[] = u"The message file could not be written.";
inline constexpr char16_t kSaveMessageTitle[] = u"Save Message ...";
inline constexpr char16_t kLoadMessageTitle[] = u"Load Message ...";
inline constexpr char16_t kMessageFilter[] = u"Message (*.kvb)";

// The logger retrieval's save dialog.
inline constexpr char16_t kSaveLoggerTitle[] = u"Save KVB File to ...";
inline constexpr char16_t kLoggerFilter[] = u"KVB File (*.kvb)";
// File "Export...": the filters name the formats by their extensions, the first is proposed.
inline constexpr char16_t kExportTitle[] = u"Export Epochs to ...";
inline constexpr char16_t kExportFilters[] =
    u"GPX Track (*.gpx)\nKML Track (*.kml)\nGeoJSON Points (*.geojson)\nCSV Table (*.csv)\nJSON Lines (*.json)";
inline constexpr char16_t kLoggerProposedName[] = u"log.kvb";
// The receiver's whole configuration saved and loaded.
inline constexpr char16_t kSaveConfigurationTitle[] = u"Save Configuration ...";
inline constexpr char16_t kLoadConfigurationTitle[] = u"Load Configuration ...";
inline constexpr char16_t kConfigurationFilter[] = u"Configuration (*.kvb)";
inline constexpr char16_t kConfigurationProposedName[] = u"configuration.kvb";
inline constexpr char16_t kAskSaveLoadedConfiguration[] =
    u"Save the configuration in the receiver (CFG-CFG) once it is loaded?";
// The age of the copy shown, in whole seconds.
inline constexpr char16_t kMessageAgeFormat[] = u"%d s";
