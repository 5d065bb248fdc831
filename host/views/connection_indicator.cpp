#include "connection_indicator.h"

void CConnectionIndicator::OnPortRead(bool portOpen, uint32_t bytesRead, uint32_t errorBits, uint32_t now) {
    if (!portOpen) {
        button = cmd::kIndicatorClosed;
    } else if (errorBits != 0) {
        ShowErrors(bytesRead);
        lastErrorTick = now;
        errorSeen = true;
    } else if (errorSeen && now - lastErrorTick < kErrorHoldMs) {
        ShowErrors(bytesRead);
    } else if (bytesRead == 0) {
        ShowQuiet();
    } else {
        button = cmd::kIndicatorReceiving;
    }
}

void CConnectionIndicator::OnPortState(bool portOpen) {
    if (!portOpen)
        button = cmd::kIndicatorClosed;
    else if (button == cmd::kIndicatorClosed)
        button = cmd::kIndicatorQuiet;
}

void CConnectionIndicator::ShowErrors(uint32_t bytesRead) {
    button = bytesRead > 0 ? cmd::kIndicatorLineErrors : cmd::kIndicatorQuietAfterErrors;
}

// A quiet read keeps what the last one showed, without the traffic. A port that has just opened
// has shown nothing yet: it is quiet, not closed.
void CConnectionIndicator::ShowQuiet() {
    if (button == cmd::kIndicatorLineErrors) button = cmd::kIndicatorQuietAfterErrors;
    if (button == cmd::kIndicatorReceiving || button == cmd::kIndicatorClosed) button = cmd::kIndicatorQuiet;
}
