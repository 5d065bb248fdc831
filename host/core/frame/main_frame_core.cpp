#include "main_frame_core.h"

#include <algorithm>
#include <chrono>
#include <system_error>

#include "host/core/intake/veltro_doc.h"
#include "host/core/log/stream_file_thread.h"
#include "platform/text.h"
#include "shared/entry_ids.h"
#include "shared/storage_values.h"

namespace {
// A seek decodes without redrawing; handling frames in batches spares a hand-off per frame, and
// the bounds keep the window responsive meanwhile.
constexpr int kSeekBatchFrames = 4096;
constexpr auto kSeekBatchTime = std::chrono::milliseconds(5);
}  // namespace

CMainFrameCore::CMainFrameCore(CVeltroDoc& document, CStreamFileThread& log, IErrorReporter& errors)
    : document(document), log(log), errors(errors) {}

bool CMainFrameCore::DecodesLiveTraffic() const {
    return log.State() == LogState::None || log.State() == LogState::Recording;
}

void CMainFrameCore::OnPortFrame(const FrameRecord* record, bool mayRefresh) {
    if (!complete || !record || !record->bytes || record->length <= 0) return;
    const size_t length = static_cast<size_t>(record->length);
    receivedBytes += length;
    log.AppendHistory(record->bytes, length);
    if (DecodesLiveTraffic()) document.ProcessRecord(*record, mayRefresh, MessageOrigin::Received);
    Record(record->bytes, length);
}

void CMainFrameCore::OnFileFrame() {
    if (!complete || log.IsPaused() || !log.IsActive()) return;
    const auto deadline = std::chrono::steady_clock::now() + kSeekBatchTime;
    int frames = 0;
    do {
        ProcessFileFrame();
    } while (log.State() == LogState::Seeking && !log.IsPaused() && ++frames < kSeekBatchFrames &&
             std::chrono::steady_clock::now() < deadline);
    if (log.IsPaused()) document.ForceUpdate();
}

// The epoch running before the frame is the one the frame closes, if it does. A seek or a
// replay at a fixed pace does not look the time up.
void CMainFrameCore::ProcessFileFrame() {
    const bool paced = log.PacesAtReceiverTime();
    const uint32_t epochs = document.Database().GetEpochCounter();
    const std::optional<double> epochTime = paced ? ReceiverTime() : std::nullopt;
    FrameRecord record;
    if (log.NextFrame(record))
        document.ProcessRecord(record, log.State() != LogState::Seeking, MessageOrigin::Replayed);
    if (paced) log.PaceAtReceiverTime(document.Database().GetEpochCounter() != epochs ? epochTime : std::nullopt);
    log.FrameDone();
    if (log.Position() == log.Length()) document.CloseRunningEpoch();
}

std::optional<double> CMainFrameCore::ReceiverTime() const {
    const auto* utc = document.Database().FindAs<CStorageValue>(entry::kUtc);
    if (!utc || !utc->IsValid()) return std::nullopt;
    return utc->GetValue();
}

bool CMainFrameCore::SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) {
    if (!bytes || length <= 0) return false;
    const int written = port ? std::clamp(port->Write(bytes, length), 0, length) : 0;
    if (written < length) errors.ReportError(kMessageNotSent, u"");
    if (written == 0) return false;
    if (DecodesLiveTraffic()) {
        CMessageNode* result =
            node ? document.DispatchSent(node, bytes, written) : document.DispatchBytes(bytes, written);
        document.ProcessMessage(result, true, MessageOrigin::Sent);
    }
    log.AppendHistory(bytes, static_cast<size_t>(written));
    Record(bytes, static_cast<size_t>(written));
    return written == length;
}

void CMainFrameCore::Record(const uint8_t* bytes, size_t length) {
    if (!log.AppendRecord(bytes, length)) ReportLogError(kLogNotWritten);
}

void CMainFrameCore::ReportLogError(const MessageBoxResource& box) {
    const int error = log.LastError();
    errors.ReportError(box, error ? platform::Utf8ToWide(std::generic_category().message(error)) : u"");
}

bool CMainFrameCore::RecordTo(const std::string& path) {
    if (!log.Open(path, LogOpenMode::Record)) {
        ReportLogError(kLogNotCreated);
        return false;
    }
    if (!log.WriteHistory()) {
        ReportLogError(kLogNotWritten);
        return false;
    }
    log.StartRecording();
    return true;
}

bool CMainFrameCore::OpenLog(const std::string& path, bool readOnly) {
    if (log.Open(path, readOnly ? LogOpenMode::Replay : LogOpenMode::ReplayWritable)) return true;
    ReportLogError(kLogNotOpened);
    return false;
}
