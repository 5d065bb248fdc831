#include "main_frame_logic.h"

#include <filesystem>

#include "host/core/intake/veltro_doc.h"
#include "host/core/log/stream_file_thread.h"
#include "platform/file_profile.h"
#include "platform/port_map.h"
#include "platform/text.h"

namespace {

ConnectionSettings InitialSettings(const FrameParts& parts) {
    return parts.runConnection ? parts.runConnection->settings : ConnectionSettings::Load(parts.profile);
}

std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

}  // namespace

CMainFrameLogic::CMainFrameLogic(const FrameParts& parts, IErrorReporter& errors)
    : parts(parts),
      portWriter(parts.port),
      core(parts.document, parts.log, errors),
      connection(InitialSettings(parts), parts.port, parts.ports),
      window(ui_thread::CreateWindow(*this)) {
    recentFiles.Load(parts.profile);
    if (parts.runConnection && !parts.runConnection->device.empty())
        parts.ports.UseForThisRun(parts.runConnection->settings.port, parts.runConnection->device);
    core.SetPortWriter(&portWriter);
    connection.Start();
    SetComplete(true);
}

CMainFrameLogic::~CMainFrameLogic() {
    SetComplete(false);
    window->Close();
    recentFiles.Save(parts.profile);
    if (!parts.runConnection) connection.Save(parts.profile);
}

void CMainFrameLogic::SetComplete(bool isComplete) {
    complete = isComplete;
    core.SetComplete(isComplete);
}

bool CMainFrameLogic::ConnectToPort(int n) {
    if (parts.port.CurrentPort() == n) connection.SelectPort(0);
    connection.Settings().port = n;
    connection.Settings().doConnect = true;
    connection.SelectPort(n);
    return parts.port.IsOpen();
}

bool CMainFrameLogic::ConnectToDevice(const std::string& device) {
    const int n = parts.port.IsOpen() ? parts.port.CurrentPort() : connection.Settings().port;
    parts.ports.UseForThisRun(n, device);
    return ConnectToPort(n);
}

// A file that no longer opens leaves the recent files.
bool CMainFrameLogic::OpenDocumentFile(const std::string& path, bool readOnly) {
    if (!core.OpenLog(path, readOnly)) {
        recentFiles.Remove(AbsolutePath(path));
        return false;
    }
    parts.document.SetTitle(platform::Utf8ToWide(std::filesystem::path(path).filename().string()));
    AddToRecentFileList(path);
    return true;
}

void CMainFrameLogic::SeekReplay(int64_t offset) {
    CStreamFileThread& log = parts.log;
    if (!log.IsActive() && log.State() != LogState::Open) return;
    if (offset < log.Position()) {
        log.Rewind(0);
        parts.document.OnNewDocument();
    }
    log.Seek(offset);
    log.SetPaused(false);
}

void CMainFrameLogic::AddToRecentFileList(const std::string& path) { recentFiles.Add(AbsolutePath(path)); }

void CMainFrameLogic::OnUpdateTimer() { parts.document.OnUpdateTimer(); }

void CMainFrameLogic::OnPortRead(uint32_t bytesRead, uint32_t errorBits) {
    if (!complete) return;
    connection.OnPortRead(bytesRead, errorBits);
    if (portReadListener) portReadListener(bytesRead, errorBits);
}
