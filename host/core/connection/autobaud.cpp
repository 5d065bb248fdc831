#include "autobaud.h"

#include "platform/serial_device.h"

namespace {

constexpr uint32_t kWrongRateErrors =
    platform::kLineErrorParity | platform::kLineErrorFraming | platform::kLineErrorBreak;
constexpr unsigned kCommandCount = kLastBaudCommand - kFirstBaudCommand + 1;

}  // namespace

void CAutobaud::OnPortRead(uint32_t bytesRead, uint32_t errorBits, IBaudControl& port) {
    if (errorBits & kWrongRateErrors) {
        if (state == 0 || state == 1) {
            state = 2;
        } else {
            TryNextRate(port);
            state = 1;
        }
    } else if (bytesRead > 0) {
        state = state == 2 ? 3 : 0;
    }
}

// Each rate is tried at most once: when none can be set (the device has gone), the current rate
// stays instead of the search going round for ever.
void CAutobaud::TryNextRate(IBaudControl& port) {
    const unsigned current = CommandOfBaudRate(port.BaudRate());
    unsigned command = current ? current : kLastBaudCommand;
    for (unsigned step = 0; step < kCommandCount; ++step) {
        command = command == kLastBaudCommand ? kFirstBaudCommand : command + 1;
        if (command == current) return;
        if (IsOfferedToAutobaud(command) && port.SetBaud(BaudRateOfCommand(command))) return;
    }
}
