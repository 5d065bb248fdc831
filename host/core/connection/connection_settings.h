#pragma once
#include <cstdint>

namespace platform {
class CProfile;
}

// The receiver connection's settings (section "Settings"), read when the main frame is created
// and written back when it is destroyed.
struct ConnectionSettings {
    static constexpr int kMaxPorts = 9;

    // The port to connect to, remembered while none is open.
    int port = 1;
    // The port should be open.
    bool doConnect = true;
    // The one-second watchdog manages the port.
    bool autoConnect = false;
    // Offer only ports whose device is present.
    bool enumPorts = false;
    int maxPorts = kMaxPorts;
    uint32_t baudRate = 57600;
    bool autobaud = false;

    // Values out of range fall back to their defaults; "MaxPorts" is held to 1 … 9.
    static ConnectionSettings Load(const platform::CProfile& profile);
    // openPort is the open port (0 when closed), portBaudRate the port thread's rate.
    void Save(platform::CProfile& profile, int openPort, uint32_t portBaudRate) const;
};
