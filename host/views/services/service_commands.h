#pragma once

class CMainFrameMobile;
class CViewRegistry;

// The Rx menu's receiver commands and Aidwell Online, enabled while the connection can send:
// "Enable Debug Messages" and "Aidwell Online" run their workers behind the progress dialog, the
// three starts send their frame at once.
void AddServiceCommands(CMainFrameMobile& frame);

// The services' views: the Orbitpack update (File "&Orbitpack..."), the logger retrieval
// (File "&LOG Upload...") and the configuration's save and load (Rx "Save Configuration...",
// "Load Configuration...").
void RegisterServiceViews(CViewRegistry& registry);
