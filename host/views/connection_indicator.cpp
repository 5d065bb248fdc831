#include "connection_indicator.h"

#include <algorithm>

void CConnectionIndicator::OnPortRead(bool portOpen, uint32_t bytesRead, uint32_t errorBits, uint32_t now) {
    if (!portOpen) {
        button = cmd::kIndicatorClosed;
        return;
    }
    if (bytesRead > 0) NoteBytes(now);
    if (errorBits != 0) {
        lastErrorTick = now;
        errorSeen = true;
    }
    const bool errorsShown = errorBits != 0 || (errorSeen && now - lastErrorTick < kErrorHoldMs);
    if (errorsShown)
        trafficHadErrors = true;
    else if (bytesRead > 0)
        trafficHadErrors = false;
    if (IsReceiving(bytesRead, now))
        button = errorsShown ? cmd::kIndicatorLineErrors : cmd::kIndicatorReceiving;
    else
        button = trafficHadErrors ? cmd::kIndicatorQuietAfterErrors : cmd::kIndicatorQuiet;
}

void CConnectionIndicator::OnPortState(bool portOpen) {
    if (!portOpen)
        button = cmd::kIndicatorClosed;
    else if (button == cmd::kIndicatorClosed)
        button = cmd::kIndicatorQuiet;
}

// Bytes after a pause as long as the shortest interval start a burst; the time since the last
// burst began is the receiver's interval.
void CConnectionIndicator::NoteBytes(uint32_t now) {
    const bool newBurst = !bytesSeen || now - lastBytesTick >= kShortestIntervalMs;
    if (newBurst && bytesSeen)
        burstInterval = std::clamp(now - burstStartTick, kShortestIntervalMs, kLongestIntervalMs);
    if (newBurst) burstStartTick = now;
    bytesSeen = true;
    lastBytesTick = now;
}

bool CConnectionIndicator::IsReceiving(uint32_t bytesRead, uint32_t now) const {
    return bytesRead > 0 || (bytesSeen && now - lastBytesTick < QuietAfterMs());
}

uint32_t CConnectionIndicator::QuietAfterMs() const { return burstInterval + kQuietMarginMs; }
