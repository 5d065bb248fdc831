#include "main_frame_logic.h"

#include "host/core/frame/main_frame.h"
#include "host/core/app/veltro_app.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/threads/window_messages.h"
#include "platform/file_profile.h"

CMainFrameLogic::CMainFrameLogic(CVeltroApp& app, IErrorReporter& errors)
    : app(app),
      portWriter(app.PortThread()),
      core(app.Document(), app.Log(), errors),
      connection(ConnectionSettings::Load(app.Profile()), app.PortThread(), app.Ports()),
      window(std::make_shared<platform::CMessageWindow>(
          [this](unsigned message, uintptr_t wParam, intptr_t lParam) { return OnMessage(message, wParam, lParam); })) {
    core.SetPortWriter(&portWriter);
    connection.Start();
    SetComplete(true);
}

CMainFrameLogic::~CMainFrameLogic() {
    SetComplete(false);
    window->Close();
    connection.Save(app.Profile());
}

void CMainFrameLogic::SetComplete(bool isComplete) {
    complete = isComplete;
    core.SetComplete(isComplete);
}

void CMainFrameLogic::OnUpdateTimer() { app.Document().OnUpdateTimer(); }

void CMainFrameLogic::OnPortRead(uint32_t bytesRead, uint32_t errorBits) {
    connection.OnPortRead(bytesRead, errorBits);
    if (portReadListener) portReadListener(bytesRead, errorBits);
}

intptr_t CMainFrameLogic::OnMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    switch (message) {
        case WM_PORT_READ:
            if (complete) OnPortRead(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
            return 0;
        case WM_PORT_FRAME:
            core.OnPortFrame(reinterpret_cast<const FrameRecord*>(wParam), lParam);
            return 0;
        case WM_FILE_FRAME:
            core.OnFileFrame();
            return 0;
        case WM_SEND_BYTES: {
            const auto* record = reinterpret_cast<const SendBytesRecord*>(wParam);
            return record && core.SendToReceiver(nullptr, record->bytes, record->length) ? 1 : 0;
        }
        default:
            return 0;
    }
}
