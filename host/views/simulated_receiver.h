#pragma once
#include <QProcess>
#include <string>

// The simulated receiver (veltro-sim, next to the program) on a pseudo-terminal, for as long as
// this object lives; it also ends when the program is killed.
class CSimulatedReceiver {
public:
    ~CSimulatedReceiver();

    // False, with the reason, when it cannot be started or names no terminal in time.
    bool Start(int rateHz, std::string& error);
    // The device to open as the receiver's port.
    const std::string& DevicePath() const { return devicePath; }

private:
    QProcess process;
    std::string devicePath;
};
