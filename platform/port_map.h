#pragma once
#include <array>
#include <string>
#include <vector>

#include "platform/serial_probe.h"

namespace platform {

class CProfile;

// Which device a port number (COM1 … COM9) stands for. An explicit map in the profile comes
// first: section "Ports", keys "COM1" … "COM9", values such as /dev/ttyUSB0 or
// /dev/serial/by-id/…, of at most kMaxProfilePath bytes. The other numbers go to the serial
// devices present, in natural order; a device keeps its number for the whole run, also while
// unplugged, so that it returns under it.
class CPortMap {
public:
    static constexpr int kMaxPort = 9;

    explicit CPortMap(const CProfile& profile, SerialDeviceFolders folders = {});

    // Empty when no device is known for the number.
    std::string DevicePath(int n);
    // The profile's device for the number; empty when the number goes to a device present.
    std::string Mapping(int n) const;
    // An empty device gives the number back to the devices present.
    static void WriteMapping(CProfile& profile, int n, const std::string& device);
    const SerialDeviceFolders& Folders() const { return folders; }
    // A device named on the command line stands for the number until the program ends; the
    // profile's mapping is left alone, so a temporary device is not remembered for the next start.
    void UseForThisRun(int n, const std::string& device);

private:
    std::string MappedPath(int n) const;
    bool IsMapped(const std::string& device) const;
    int FreeNumber(const std::vector<std::string>& present) const;
    // Numbers given out before the map changed: a device mapped since keeps only its mapped number.
    void ForgetRemapped();
    void AssignNewDevices();

    const CProfile& profile;
    const SerialDeviceFolders folders;
    // Index = port number; index 0 stays unused.
    std::array<std::string, kMaxPort + 1> assigned;
    std::array<std::string, kMaxPort + 1> thisRun;
    // The map is asked often; a mapping too long to be a path is reported once.
    mutable std::array<bool, kMaxPort + 1> tooLongReported{};
};

}  // namespace platform
