#include "headless_host.h"

#include <cstdio>

#include "platform/text.h"
#include "tools/common/stop_signal.h"

CHeadlessHost::CHeadlessHost() {
    document.Plugins().RegisterWith(log.Splitter());
    core.SetComplete(true);
}

void CHeadlessHost::ReportError(const std::u16string& text) {
    std::fprintf(stderr, "veltro-cli: %s\n", platform::WideToUtf8(text).c_str());
}

void CHeadlessHost::Replay(const CStopSignal& stop) {
    log.SetPacing(kPacingFast);
    log.Play();
    while (log.IsActive() && !log.IsPaused() && !stop.Requested()) core.OnFileFrame();
    log.CloseFile();
}
