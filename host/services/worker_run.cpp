#include "worker_run.h"

#include <system_error>

#include "host/core/threads/ui_thread_sink.h"

namespace {
// While a cancelled worker ends, how often the frame's hand-offs are handled for it.
constexpr uint32_t kCancelPollMs = 5;
}  // namespace

bool CWorkerContext::SendToReceiver(const uint8_t* bytes, int length) {
    return ui_thread::SendBytes(frameWindow, bytes, length);
}

CWorkerRun::CWorkerRun(std::shared_ptr<platform::CMessageWindow> frameWindow, IProgressSink& sink)
    : frameWindow(std::move(frameWindow)), sink(sink), progressWindow(progress::CreateWindow(*this)) {}

CWorkerRun::~CWorkerRun() { Cancel(); }

bool CWorkerRun::Start(WorkerProcedure procedure) {
    if (started) return false;
    try {
        thread = std::thread(&CWorkerRun::Run, this, std::move(procedure));
    } catch (const std::system_error&) {
        return false;
    }
    started = true;
    return true;
}

void CWorkerRun::Run(const WorkerProcedure& procedure) {
    CWorkerContext context(*progressWindow, *frameWindow, stop);
    progress::PostEnded(*progressWindow, procedure(context));
    finished.Set();
}

void CWorkerRun::OnWorkerEnded(int code) {
    exitCode = code;
    endHandled = true;
    Join();
    sink.OnWorkerEnded(code);
}

// The worker may be waiting for this thread to handle its bytes for the receiver: they are
// handled until it has ended.
void CWorkerRun::Cancel() {
    if (!thread.joinable()) return;
    stop.Raise();
    progressWindow->Close();
    while (!finished.Wait(kCancelPollMs)) frameWindow->DispatchPending();
    Join();
    if (!endHandled) exitCode = kWorkerFailed;
    endHandled = true;
}

void CWorkerRun::Join() {
    if (thread.joinable()) thread.join();
}
