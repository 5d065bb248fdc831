#pragma once
#include "resources/string_resource.h"

// The document template: window title, document name, file filter, extension, type names.
inline constexpr StringResource kDocumentTemplate{
    101, u"\nVeltro\nVeltro\nKorvala Log Files (*.kvb)\n.kvb\nVeltro.Document\nKorvala Log File"};
inline constexpr StringResource kLogNotCreated{177, u"ERROR: Log file could not be created."};
inline constexpr StringResource kLogNotOpened{178, u"ERROR: Log file could not be opened."};
inline constexpr StringResource kExitWhileRecording{
    225, u"Veltro is currently recording a log file.\n\nDo you want to exit Veltro and close the log file ?"};
// Followed by the system's reason (disk full, device gone).
inline constexpr char16_t kLogNotWritten[] = u"ERROR: Log file could not be written. The recording has stopped.";
