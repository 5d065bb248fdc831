#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "host/core/connection/connection_settings.h"

class CMainFrameLogic;

// What the Preferences' page "Generic" edits: the port options of the frame, the size of the
// document's epoch history, the stored program options line and the device of each port number.
struct GenericOptions {
    static constexpr int kMinHistory = 60;
    static constexpr int kMaxHistory = 604800;
    // The options line read at start-up: room for a few paths and keywords, no more.
    static constexpr size_t kMaxCommandLine = 8192;

    bool autoConnect = false;
    bool enumPorts = false;
    int maxPorts = ConnectionSettings::kMaxPorts;
    int historySize = 900;
    std::u16string commandLine;
    // Index = port number, 0 unused; empty: the number goes to one of the devices present.
    std::array<std::string, ConnectionSettings::kMaxPorts + 1> portDevices{};

    // As the program has them now; a history size outside kMinHistory … kMaxHistory reads as
    // the nearest bound.
    static GenericOptions Read(CMainFrameLogic& frame);
    // Resizes the history at once and tells the views; the port options go to the frame, which
    // saves them when it goes; the options line and the ports' devices to the profile.
    void Apply(CMainFrameLogic& frame) const;
};

int ClampHistorySize(long long epochs);
int ClampMaxPorts(long long ports);
// "= 01:00:00 at 1Hz rate": the history's span at one epoch a second.
std::u16string HistoryDurationText(int epochs);
