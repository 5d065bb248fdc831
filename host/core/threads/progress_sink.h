#pragma once
#include <memory>
#include <string>

#include "platform/message_window.h"

// What a service's worker tells the view of its progress (the progress dialog, or veltro-cli's
// lines), each kind with its own types. The window-message stand-in carries them as it carries
// IUiThreadSink's: a worker blocks until the view's thread has taken a hand-off, and once the
// window is closed every hand-off returns at once, taken by nobody.
class IProgressSink {
public:
    virtual ~IProgressSink() = default;

    // The status line.
    virtual void OnStatusText(const std::u16string& text) = 0;
    virtual void OnProgressRange(int minimum, int maximum) = 0;
    virtual void OnProgressPosition(int position) = 0;
    // The worker has ended: 1 when it did what it was for, else 2.
    virtual void OnWorkerEnded(int exitCode) = 0;
};

namespace progress {

// The window through which a worker reaches sink; the calling thread is the view's.
std::shared_ptr<platform::CMessageWindow> CreateWindow(IProgressSink& sink);

// The worker's side of each hand-off.
void SendStatusText(platform::CMessageWindow& window, const std::u16string& text);
void SendRange(platform::CMessageWindow& window, int minimum, int maximum);
void SendPosition(platform::CMessageWindow& window, int position);
// Queued without waiting, so that the view may wait for the worker's thread when it hears it.
void PostEnded(platform::CMessageWindow& window, int exitCode);

}  // namespace progress
