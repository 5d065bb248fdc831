#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "host/core/threads/progress_sink.h"
#include "platform/cancel_signal.h"
#include "platform/event.h"

// A worker's exit codes.
inline constexpr int kWorkerDone = 1;
inline constexpr int kWorkerFailed = 2;

// What a worker procedure may do: tell its progress, hand bytes for the receiver to the frame's
// send path, and wait; every wait ends at a stop request.
class CWorkerContext {
public:
    CWorkerContext(platform::CMessageWindow& progressWindow, platform::CMessageWindow& frameWindow,
                   const platform::CCancelSignal& stop)
        : progressWindow(progressWindow), frameWindow(frameWindow), stop(stop) {}

    void SetStatus(const std::u16string& text) { progress::SendStatusText(progressWindow, text); }
    void SetRange(int minimum, int maximum) { progress::SendRange(progressWindow, minimum, maximum); }
    void SetPosition(int position) { progress::SendPosition(progressWindow, position); }
    // WM_SEND_BYTES: written, shown and logged by the user-interface thread like every sent
    // message; false unless every byte went out.
    bool SendToReceiver(const uint8_t* bytes, int length);
    // False, early, when a stop was requested.
    bool Wait(uint32_t milliseconds) const { return stop.Sleep(milliseconds); }
    bool StopRequested() const { return stop.IsRaised(); }
    // For the worker's sockets, whose waits end at it too.
    const platform::CCancelSignal& StopSignal() const { return stop; }

private:
    platform::CMessageWindow& progressWindow;
    platform::CMessageWindow& frameWindow;
    const platform::CCancelSignal& stop;
};

// Runs on the worker's thread; returns kWorkerDone or kWorkerFailed.
using WorkerProcedure = std::function<int(CWorkerContext&)>;

// One run of a worker procedure on a thread of its own, and the hand-offs from it: what the
// progress dialog and veltro-cli share. The progress goes to the sink, the bytes for the receiver
// to the frame's window; both are handled on the thread that made the run (the user-interface
// thread), the progress when it polls. Cancel never kills the thread: it raises the stop signal,
// which ends every wait of the worker and shuts its socket down, releases a hand-off the worker
// waits in, and joins it.
class CWorkerRun : private IProgressSink {
public:
    CWorkerRun(std::shared_ptr<platform::CMessageWindow> frameWindow, IProgressSink& sink);
    ~CWorkerRun() override;
    CWorkerRun(const CWorkerRun&) = delete;
    CWorkerRun& operator=(const CWorkerRun&) = delete;

    // False when the thread cannot be created, or a run was started already.
    bool Start(WorkerProcedure procedure);
    // Hands the progress queued so far to the sink; the sink hears of the end here.
    void Poll() { progressWindow->DispatchPending(); }
    // Started, and its end not yet handed over.
    bool IsRunning() const { return started && !endHandled; }
    // The worker's exit code once its end was handed over or it was cancelled; else 0.
    int ExitCode() const { return exitCode; }
    // The worker's end is told as failure.
    void Cancel();

    // For a message loop that waits on the progress hand-offs as on its own.
    const std::shared_ptr<platform::CMessageWindow>& ProgressWindow() const { return progressWindow; }

private:
    void OnStatusText(const std::u16string& text) override { sink.OnStatusText(text); }
    void OnProgressRange(int minimum, int maximum) override { sink.OnProgressRange(minimum, maximum); }
    void OnProgressPosition(int position) override { sink.OnProgressPosition(position); }
    void OnWorkerEnded(int code) override;
    void Run(const WorkerProcedure& procedure);
    void Join();

    std::shared_ptr<platform::CMessageWindow> frameWindow;
    IProgressSink& sink;
    platform::CCancelSignal stop;
    std::shared_ptr<platform::CMessageWindow> progressWindow;
    platform::CEvent finished{true, false};
    std::thread thread;
    bool started = false;
    bool endHandled = false;
    int exitCode = 0;
};
