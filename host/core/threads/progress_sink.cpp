#include "progress_sink.h"

namespace {

// The old platform's numbers: the status control's WM_SETTEXT, the progress bar's PBM_SETPOS and
// PBM_SETRANGE32; then one of ours for the end.
constexpr unsigned WM_SETTEXT = 0x000C;
constexpr unsigned PBM_SETPOS = platform::WM_USER + 2;
constexpr unsigned PBM_SETRANGE32 = platform::WM_USER + 6;
constexpr unsigned WM_WORKER_ENDED = platform::WM_USER + 0x69;

intptr_t Deliver(IProgressSink& sink, unsigned message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case WM_SETTEXT:
            sink.OnStatusText(*reinterpret_cast<const std::u16string*>(wParam));
            break;
        case PBM_SETRANGE32:
            sink.OnProgressRange(static_cast<int>(wParam), static_cast<int>(lParam));
            break;
        case PBM_SETPOS:
            sink.OnProgressPosition(static_cast<int>(wParam));
            break;
        case WM_WORKER_ENDED:
            sink.OnWorkerEnded(static_cast<int>(wParam));
            break;
        default:
            break;
    }
    return 0;
}

}  // namespace

namespace progress {

std::shared_ptr<platform::CMessageWindow> CreateWindow(IProgressSink& sink) {
    return std::make_shared<platform::CMessageWindow>([&sink](unsigned message, uintptr_t wParam, intptr_t lParam) {
        return Deliver(sink, message, wParam, lParam);
    });
}

void SendStatusText(platform::CMessageWindow& window, const std::u16string& text) {
    window.Send(WM_SETTEXT, reinterpret_cast<uintptr_t>(&text), 0);
}

void SendRange(platform::CMessageWindow& window, int minimum, int maximum) {
    window.Send(PBM_SETRANGE32, static_cast<uintptr_t>(minimum), maximum);
}

void SendPosition(platform::CMessageWindow& window, int position) {
    window.Send(PBM_SETPOS, static_cast<uintptr_t>(position), 0);
}

void PostEnded(platform::CMessageWindow& window, int exitCode) {
    window.Post(WM_WORKER_ENDED, static_cast<uintptr_t>(exitCode), 0);
}

}  // namespace progress
