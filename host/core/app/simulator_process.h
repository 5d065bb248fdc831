#pragma once
#include <sys/types.h>

#include <string>

// A simulated receiver (veltro-sim, next to this program) on a pseudo-terminal, for as long as
// this object lives; it ends with its parent even when the parent is killed. Both front ends
// start it for "--simulate".
class CSimulatorProcess {
public:
    CSimulatorProcess() = default;
    ~CSimulatorProcess();
    CSimulatorProcess(const CSimulatorProcess&) = delete;
    CSimulatorProcess& operator=(const CSimulatorProcess&) = delete;

    // At rateHz navigation epochs a second (1 to 10). False with the reason when it cannot be
    // started or names no terminal in time.
    bool Start(int rateHz, std::string& error);
    // The device to open as the receiver's port.
    const std::string& DevicePath() const { return devicePath; }

private:
    bool ReadDevicePath(int fd, std::string& error);

    pid_t pid = -1;
    std::string devicePath;
};
