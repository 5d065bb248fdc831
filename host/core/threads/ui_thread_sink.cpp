#include "ui_thread_sink.h"

#include "host/core/intake/frame_splitter.h"

namespace {

constexpr unsigned WM_PORT_FRAME = platform::WM_USER + 0x65;
constexpr unsigned WM_FILE_FRAME = platform::WM_USER + 0x66;
constexpr unsigned WM_SEND_BYTES = platform::WM_USER + 0x67;
constexpr unsigned WM_PORT_READ = platform::WM_USER + 0x68;

struct SendBytesRecord {
    const uint8_t* bytes;
    int length;
};

intptr_t Deliver(IUiThreadSink& sink, unsigned message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case WM_PORT_READ:
            sink.OnPortRead(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
            return 0;
        case WM_PORT_FRAME:
            sink.OnPortFrame(*reinterpret_cast<const FrameRecord*>(wParam));
            return 0;
        case WM_FILE_FRAME:
            sink.OnFileFrame();
            return 0;
        case WM_SEND_BYTES: {
            const auto& record = *reinterpret_cast<const SendBytesRecord*>(wParam);
            return sink.OnSendBytes(record.bytes, record.length) ? 1 : 0;
        }
        default:
            return 0;
    }
}

}  // namespace

namespace ui_thread {

std::shared_ptr<platform::CMessageWindow> CreateWindow(IUiThreadSink& sink) {
    return std::make_shared<platform::CMessageWindow>([&sink](unsigned message, uintptr_t wParam, intptr_t lParam) {
        return Deliver(sink, message, wParam, lParam);
    });
}

void SendPortRead(platform::CMessageWindow& window, uint32_t bytesRead, uint32_t errorBits) {
    window.Send(WM_PORT_READ, static_cast<uintptr_t>(bytesRead), static_cast<intptr_t>(errorBits));
}

void SendPortFrame(platform::CMessageWindow& window, const FrameRecord& record) {
    window.Send(WM_PORT_FRAME, reinterpret_cast<uintptr_t>(&record), 0);
}

void SendFileFrame(platform::CMessageWindow& window) { window.Send(WM_FILE_FRAME, 0, 0); }

bool SendBytes(platform::CMessageWindow& window, const uint8_t* bytes, int length) {
    const SendBytesRecord record{bytes, length};
    return window.Send(WM_SEND_BYTES, reinterpret_cast<uintptr_t>(&record), 0) != 0;
}

}  // namespace ui_thread
