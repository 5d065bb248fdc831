#pragma once
#include <cstdint>

#include "host/core/connection/baud_rates.h"

// Automatic baud detection, driven by every read of the port: a rate is abandoned after two
// line-error reports not separated by a clean read, and the next one of the cycle 4800, 9600,
// 19200, 38400, 57600, 115200 is tried.
class CAutobaud {
public:
    void OnPortRead(uint32_t bytesRead, uint32_t errorBits, IBaudControl& port);
    int State() const { return state; }

private:
    void TryNextRate(IBaudControl& port);

    int state = 0;
};
