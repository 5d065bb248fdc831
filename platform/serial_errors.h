#pragma once
#include <string>

// Why a serial port cannot be used, in the handheld's error codes, which the connection logic
// (and the user's status line) speak.
namespace platform {

enum SerialError : int {
    kSerialOk = 0,
    kSerialNotFound = 2,
    kSerialAccessDenied = 5,
    kSerialNotFunctioning = 31,
    kSerialInUse = 32,
};

SerialError SerialErrorFromErrno(int error);

// One line for the status bar; for access denied it names the group that may use the device.
std::u16string DescribeSerialError(SerialError error, const std::string& devicePath);

}  // namespace platform
