#pragma once
#include <cstdint>

#include "resources/veltro/command_ids.h"

// Which button of the connection indicator shows, decided on every read of the port: closed,
// receiving, open but quiet, receiving with line errors, quiet after line errors. A line error
// keeps showing for a second after the read that reported it.
class CConnectionIndicator {
public:
    static constexpr uint32_t kErrorHoldMs = 1000;

    // bytesRead and errorBits of the read; now is the tick count.
    void OnPortRead(bool portOpen, uint32_t bytesRead, uint32_t errorBits, uint32_t now);
    // Between reads: a port closed by a command or the watchdog reads no more, and one just
    // opened has not read yet.
    void OnPortState(bool portOpen);

    // One of cmd::kIndicator...
    unsigned Button() const { return button; }

private:
    void ShowErrors(uint32_t bytesRead);
    void ShowQuiet();

    unsigned button = cmd::kIndicatorClosed;
    uint32_t lastErrorTick = 0;
    bool errorSeen = false;
};
