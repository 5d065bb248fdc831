#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "host/core/connection/autobaud.h"
#include "host/core/connection/connection_settings.h"
#include "host/core/connection/port_thread.h"

// Port menu: 40208 disconnects, 40208 + n (1 … 9) selects port n.
constexpr unsigned kDisconnectCommand = 40208;
constexpr unsigned kAutobaudCommand = 40190;

struct PortListEntry {
    int number;
    // Another program holds the device: the menu disables the entry unless it is the open port.
    bool busy;
    // Empty when no device is known for the number.
    std::string devicePath;
};

// "COM3 /dev/ttyUSB0": the number the program speaks of, and the device it stands for.
std::u16string PortMenuText(const PortListEntry& entry);

// The main frame's side of the receiver connection, without any window: its settings, the
// one-second watchdog, the user's port and rate commands, automatic baud detection and the list
// of ports to offer. Runs on the user-interface thread.
class CConnectionControl {
public:
    CConnectionControl(const ConnectionSettings& settings, CPortThread& port, platform::CPortMap& ports);

    ConnectionSettings& Settings() { return settings; }

    // When the main frame is created: applies "BaudRate" and connects as "DoConnect" asks.
    void Start();
    // Timer 1003, every second: with "AutoConnect", closes the port when its device has gone and
    // reopens it when it returns.
    void OnWatchdogTimer();
    // Every WM_PORT_READ, once the main frame is complete.
    void OnPortRead(uint32_t bytesRead, uint32_t errorBits);

    void ToggleConnection();
    // Command kDisconnectCommand + n.
    void SelectPort(int n);
    // False when the command selects no rate or the port refuses it.
    bool SelectBaudCommand(unsigned command);
    void ToggleAutobaud() { settings.autobaud = !settings.autobaud; }

    // Ports 1 to "MaxPorts"; with "EnumPorts" only those whose device is present.
    std::vector<PortListEntry> ListPorts();
    void Save(platform::CProfile& profile) const;

private:
    void CheckPort();

    ConnectionSettings settings;
    CPortThread& port;
    platform::CPortMap& ports;
    CAutobaud autobaud;
};
