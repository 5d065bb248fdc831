#pragma once
#include <cstdint>
#include <memory>

#include "platform/message_window.h"

struct FrameRecord;

// Everything the worker threads hand to the user-interface thread, each kind with its own types.
// The window-message stand-in carries them: a worker blocks until the user-interface thread has
// handled its hand-off, so a record may point into the worker's buffer; once the window is closed
// every hand-off returns at once, handled by nobody.
class IUiThreadSink {
public:
    virtual ~IUiThreadSink() = default;

    // A read of the port: the bytes just read (may be 0) and the line-error bits of that read.
    virtual void OnPortRead(uint32_t bytesRead, uint32_t errorBits) = 0;
    // A frame, or unrecognised bytes, from the port.
    virtual void OnPortFrame(const FrameRecord& record) = 0;
    // The log thread's pace: the next replayed frame is due.
    virtual void OnFileFrame() = 0;
    // A worker's bytes for the receiver; true when every byte went out.
    virtual bool OnSendBytes(const uint8_t* bytes, int length) = 0;
};

namespace ui_thread {

// The window through which workers reach sink; the calling thread becomes the user-interface
// thread, and the sink must outlive the window's handling (close the window first).
std::shared_ptr<platform::CMessageWindow> CreateWindow(IUiThreadSink& sink);

// The workers' side of each hand-off.
void SendPortRead(platform::CMessageWindow& window, uint32_t bytesRead, uint32_t errorBits);
void SendPortFrame(platform::CMessageWindow& window, const FrameRecord& record);
void SendFileFrame(platform::CMessageWindow& window);
// False when not every byte went out, or when nobody handled the hand-off.
bool SendBytes(platform::CMessageWindow& window, const uint8_t* bytes, int length);

}  // namespace ui_thread
