#pragma once
#include <cstdint>

#include "resources/veltro/command_ids.h"

// Which button of the connection indicator shows, decided on every read of the port: closed,
// receiving, open but quiet, receiving with line errors, quiet after line errors. A receiver
// talks in bursts, one per navigation epoch: the port counts as receiving until no byte came for
// the time between two bursts plus a margin, so a 1 Hz receiver shows receiving throughout. A
// line error keeps showing for a second after the read that reported it.
class CConnectionIndicator {
public:
    static constexpr uint32_t kErrorHoldMs = 1000;
    // The time between bursts before two were seen, and the bounds of a measured one.
    static constexpr uint32_t kDefaultIntervalMs = 1000;
    static constexpr uint32_t kShortestIntervalMs = 100;
    static constexpr uint32_t kLongestIntervalMs = 10000;
    static constexpr uint32_t kQuietMarginMs = 500;

    // bytesRead and errorBits of the read; now is the tick count.
    void OnPortRead(bool portOpen, uint32_t bytesRead, uint32_t errorBits, uint32_t now);
    // Between reads: a port closed by a command or the watchdog reads no more, and one just
    // opened has not read yet.
    void OnPortState(bool portOpen);

    // One of cmd::kIndicator...
    unsigned Button() const { return button; }

private:
    void NoteBytes(uint32_t now);
    bool IsReceiving(uint32_t bytesRead, uint32_t now) const;
    uint32_t QuietAfterMs() const;

    unsigned button = cmd::kIndicatorClosed;
    uint32_t lastErrorTick = 0;
    bool errorSeen = false;
    // The last traffic came with line errors; quiet then shows them on until clean bytes arrive.
    bool trafficHadErrors = false;
    bool bytesSeen = false;
    uint32_t lastBytesTick = 0;
    uint32_t burstStartTick = 0;
    uint32_t burstInterval = kDefaultIntervalMs;
};
