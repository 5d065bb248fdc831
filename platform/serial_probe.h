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

// The program holding the device open, as "gpsd (process 1234)": the holder of its lock, else
// the first process with a descriptor for it that the user may look at; empty when none is found.
std::string DeviceHolder(const std::string& path);

// The stable name of the device, a link in /dev/serial/by-id/ that points to it, where there is
// one; else the path itself.
std::string StableDeviceName(const std::string& path, const SerialDeviceFolders& folders = {});

// The serial devices present (USB and ACM adapters, UARTs that exist; not the phantom ttyS ports
// the kernel always creates), as device paths in natural order: ttyS2 before ttyS10.
std::vector<std::string> ListSerialDevices(const SerialDeviceFolders& folders = {});

// What a user may choose a port's device from: each present device's stable names (the links in
// <dev>/serial/by-id that lead to it, in name order), then the device itself.
std::vector<std::string> ListSerialDeviceChoices(const SerialDeviceFolders& folders = {});

}  // namespace platform
