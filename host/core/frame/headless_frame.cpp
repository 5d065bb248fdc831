#include "headless_frame.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>

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

CHeadlessFrame::CHeadlessFrame(CVeltroApp& app, std::function<bool()> stopRequested)
    : stopRequested(std::move(stopRequested)), logic(app, *this) {}

void CHeadlessFrame::RunMessageLoop() {
    IntervalTimer update(CMainFrameLogic::kUpdateTimerMs);
    IntervalTimer watchdog(CMainFrameLogic::kWatchdogTimerMs);
    while (!stopRequested()) {
        const Clock::time_point now = Clock::now();
        if (update.Fire(now)) logic.OnUpdateTimer();
        if (watchdog.Fire(now)) logic.OnWatchdogTimer();
        logic.Window()->WaitAndDispatch(MillisecondsUntil(std::min(update.due, watchdog.due)));
    }
}

void CHeadlessFrame::ReportError(const std::u16string& text) {
    std::fprintf(stderr, "veltro: %s\n", platform::WideToUtf8(text).c_str());
}

std::unique_ptr<IMainFrame> CHeadlessFrameFactory::CreateMainFrame(CVeltroApp& app) {
    return std::make_unique<CHeadlessFrame>(app, stopRequested);
}
