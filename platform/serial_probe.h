#pragma once
#include <string>
#include <vector>

#include "platform/serial_errors.h"

// Finding serial devices without opening them: opening a port raises DTR, which resets some
// receivers, and would disturb a program that is using the port.
namespace platform {

// Whether the device at path could be opened now: kSerialOk, or why not. Looks only at the node,
// sysfs and the lock table.
SerialError ProbeSerialDevice(const std::string& path);

struct SerialDeviceFolders {
    std::string sysClassTty = "/sys/class/tty";
    std::string dev = "/dev";
};

// The serial devices present (USB and ACM adapters, UARTs that exist; not the phantom ttyS ports
// the kernel always creates), as device paths in natural order: ttyS2 before ttyS10.
std::vector<std::string> ListSerialDevices(const SerialDeviceFolders& folders = {});

// What a user may choose a port's device from: each present device's stable names (the links in
// <dev>/serial/by-id that lead to it, in name order), then the device itself.
std::vector<std::string> ListSerialDeviceChoices(const SerialDeviceFolders& folders = {});

}  // namespace platform
