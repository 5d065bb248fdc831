#pragma once
#include <cstdint>
#include <string>

class CPortThread;

namespace platform {
class CPortMap;
}

// What happens to the receiver's link in a live command, told on the standard error stream: why
// the port did not open, the line errors of each second, the rates that autobaud tries, and the
// receiver going away and coming back.
class CLinkReport {
public:
    CLinkReport(CPortThread& port, platform::CPortMap& ports, int portNumber);

    // False with the reason when the port is not open: no device, missing, busy or refused.
    bool CheckOpen(std::string& error);
    void OnPortRead(uint32_t errorBits) { lineErrors |= errorBits; }
    // Once a second, after the watchdog: what went wrong in that second is told once.
    void OnSecond();

private:
    std::string PortName();
    void ReportBusyOnce();

    CPortThread& port;
    platform::CPortMap& ports;
    const int portNumber;
    bool wasOpen = false;
    uint32_t reportedBaudRate = 0;
    // Of the reads since the last report.
    uint32_t lineErrors = 0;
    bool busyReported = false;
};
