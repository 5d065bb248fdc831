#include "headless_frame.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

#include "host/core/log/stream_file_thread.h"
#include "platform/text.h"

namespace {

using Clock = std::chrono::steady_clock;

struct IntervalTimer {
    explicit IntervalTimer(uint32_t milliseconds) : interval(milliseconds) {}

    // True once per interval; ticks missed while the loop was busy are not made up for.
    bool Fire(Clock::time_point now) {
        if (now < due) return false;
        due = now + interval;
        return true;
    }

    std::chrono::milliseconds interval;
    Clock::time_point due = Clock::now() + interval;
};

int MillisecondsUntil(Clock::time_point due) {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
    return static_cast<int>(std::max<int64_t>(wait.count(), 0));
}

}  // namespace

CHeadlessFrame::CHeadlessFrame(const FrameParts& parts, std::function<bool()> stopRequested, std::string programName)
    : stopRequested(std::move(stopRequested)), programName(std::move(programName)), logic(parts, *this) {}

void CHeadlessFrame::RunMessageLoop() {
    IntervalTimer update(CMainFrameLogic::kUpdateTimerMs);
    IntervalTimer watchdog(CMainFrameLogic::kWatchdogTimerMs);
    while (!stopRequested()) {
        const Clock::time_point now = Clock::now();
        if (update.Fire(now)) logic.OnUpdateTimer();
        if (watchdog.Fire(now)) {
            logic.OnWatchdogTimer();
            if (watchdogListener) watchdogListener();
        }
        logic.Window()->WaitAndDispatch(MillisecondsUntil(std::min(update.due, watchdog.due)));
        if (attached) attached->DispatchPending();
    }
}

// A message without meaning (WM_NULL) ends the frame window's wait.
void CHeadlessFrame::AttachWindow(std::shared_ptr<platform::CMessageWindow> window) {
    if (attached) attached->SetWakeUp({});
    attached = std::move(window);
    if (!attached) return;
    std::weak_ptr<platform::CMessageWindow> frameWindow = logic.Window();
    attached->SetWakeUp([frameWindow] {
        if (const auto target = frameWindow.lock()) target->Post(0, 0, 0);
    });
}

// The log thread's pace is not waited for: its hand-off finds the replay done.
void CHeadlessFrame::ReplayToEnd() {
    CStreamFileThread& log = logic.Parts().log;
    log.SetPacing(kPacingFast);
    log.Play();
    while (log.IsActive() && !log.IsPaused() && !stopRequested()) logic.Core().OnFileFrame();
    log.CloseFile();
}

void CHeadlessFrame::ReportError(const MessageBoxResource& box, const std::u16string& reason) {
    std::fprintf(stderr, "%s: %s\n", programName.c_str(), platform::WideToUtf8(box.text).c_str());
    if (!reason.empty()) std::fprintf(stderr, "%s: %s\n", programName.c_str(), platform::WideToUtf8(reason).c_str());
}

std::unique_ptr<IMainFrame> CHeadlessFrameFactory::CreateMainFrame(const FrameParts& parts) {
    return std::make_unique<CHeadlessFrame>(parts, stopRequested, programName);
}
