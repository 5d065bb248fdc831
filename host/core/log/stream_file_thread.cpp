#include "stream_file_thread.h"

#include <algorithm>
#include <cmath>

#include "host/core/threads/ui_thread_sink.h"

// ---- CReplayPacer

CReplayPacer::~CReplayPacer() {
    Stop();
    Wait(platform::kInfinite);
}

void CReplayPacer::SetTarget(platform::CMessageWindow* window) {
    std::lock_guard lock(mutex);
    target = window;
}

void CReplayPacer::Stop() {
    {
        std::lock_guard lock(mutex);
        stopRequested = true;
    }
    wake.notify_all();
    CBaseThread::Stop();
}

void CReplayPacer::SetRunning(bool run) {
    {
        std::lock_guard lock(mutex);
        running = run;
    }
    wake.notify_all();
}

bool CReplayPacer::IsRunning() const {
    std::lock_guard lock(mutex);
    return running;
}

void CReplayPacer::SetFrameDelay(int milliseconds) {
    {
        std::lock_guard lock(mutex);
        frameDelay = std::max(milliseconds, 0);
    }
    wake.notify_all();
}

int CReplayPacer::FrameDelay() const {
    std::lock_guard lock(mutex);
    return frameDelay;
}

void CReplayPacer::DoWork() {
    std::unique_lock lock(mutex);
    if (!WaitForDelay(lock)) return;
    lastStep = std::chrono::steady_clock::now();
    wake.wait(lock, [this] { return running || stopRequested; });
    if (stopRequested) return;
    platform::CMessageWindow* window = target;
    if (!window || window->IsClosed()) {
        // Nobody left to hand frames to: only a stop request ends this wait.
        wake.wait(lock, [this] { return stopRequested; });
        return;
    }
    lock.unlock();
    ui_thread::SendFileFrame(*window);
}

// Re-reads the delay after every wake-up: a faster pace takes effect at once.
bool CReplayPacer::WaitForDelay(std::unique_lock<std::mutex>& lock) {
    while (!stopRequested) {
        const auto due = lastStep + std::chrono::milliseconds(frameDelay);
        if (std::chrono::steady_clock::now() >= due) return true;
        wake.wait_until(lock, due);
    }
    return false;
}

// ---- CStreamFileThread

bool CStreamFileThread::Open(const std::string& filePath, LogOpenMode mode) {
    CloseFile();
    if (!file.Open(filePath, mode)) {
        lastError = file.LastError();
        path.clear();
        return false;
    }
    paused = false;
    state = LogState::Open;
    path = filePath;
    splitter.Clear();
    position = 0;
    readFailed = false;
    ForgetEpochTimes();
    pacer.SetFrameDelay(0);
    return true;
}

void CStreamFileThread::CloseFile() {
    if (state == LogState::None) return;
    pacer.SetRunning(false);
    state = LogState::None;
    paused = false;
    file.Close();
    position = 0;
}

bool CStreamFileThread::WriteToEnd(const uint8_t* bytes, size_t length) {
    const bool written = file.Append(bytes, length);
    position = file.Size();
    if (written) return true;
    lastError = file.LastError();
    CloseFile();
    return false;
}

bool CStreamFileThread::WriteHistory() {
    if (state != LogState::Open && state != LogState::Recording) return false;
    if (IsReadOnly()) return false;
    const CHistoryRing::Pieces pieces = history.Contents();
    return WriteToEnd(pieces.older.data(), pieces.older.size()) && WriteToEnd(pieces.newer.data(), pieces.newer.size());
}

// A recording continues what the file holds: a log opened for replay is extended at its end,
// never overwritten at the replay's position. A pause left over from the replay would keep the
// new recording from writing anything.
void CStreamFileThread::StartRecording() {
    if (state != LogState::Open || IsReadOnly()) return;
    state = LogState::Recording;
    paused = false;
    splitter.Clear();
    position = file.SetReadOffset(file.Size());
}

bool CStreamFileThread::AppendRecord(const uint8_t* bytes, size_t length) {
    if (!IsRecording()) return true;
    return WriteToEnd(bytes, length);
}

bool CStreamFileThread::IsActive() const {
    return state == LogState::Playing || state == LogState::Stepping || state == LogState::Seeking;
}

// Pacing counts frames per second.
int CStreamFileThread::PlayDelay() const {
    if (pacing == kPacingNormal && epochTimesKnown) return 0;
    return 1000 / std::max(pacing, 1);
}

void CStreamFileThread::ForgetEpochTimes() {
    previousEpochTime.reset();
    epochTimesKnown = false;
}

void CStreamFileThread::PaceAtReceiverTime(std::optional<double> closedEpochTime) {
    if (!PacesAtReceiverTime()) return;
    int delay = 0;
    if (closedEpochTime && std::isfinite(*closedEpochTime)) {
        if (previousEpochTime) {
            const double gapMs = (*closedEpochTime - *previousEpochTime) * 1000.0;
            delay = static_cast<int>(std::lround(std::clamp(gapMs, 0.0, double{kLongestEpochPauseMs})));
        }
        previousEpochTime = closedEpochTime;
        epochTimesKnown = true;
    }
    if (epochTimesKnown) pacer.SetFrameDelay(delay);
}

void CStreamFileThread::PauseAndHold() {
    paused = true;
    pacer.SetRunning(false);
}

void CStreamFileThread::Play() {
    if (!IsActiveOrOpen()) return;
    state = LogState::Playing;
    pacer.SetFrameDelay(PlayDelay());
    if (!paused) pacer.SetRunning(true);
}

void CStreamFileThread::Step() {
    if (!IsActiveOrOpen()) return;
    state = LogState::Stepping;
    paused = false;
    pacer.SetRunning(true);
}

void CStreamFileThread::SetPaused(bool pause) {
    if (state == LogState::None || pause == paused) return;
    paused = pause;
    if (!IsActive()) return;
    if (pause) {
        pacer.SetRunning(false);
        return;
    }
    if (state == LogState::Seeking && seekTarget <= position) seekTarget = Length();
    pacer.SetRunning(true);
}

void CStreamFileThread::Seek(int64_t target) {
    if (!IsActiveOrOpen()) return;
    resumeAfterSeek = state == LogState::Seeking || state == LogState::Open;
    state = LogState::Seeking;
    previousEpochTime.reset();
    seekTarget = target;
    pacer.SetFrameDelay(0);
    if (target <= position) {
        PauseAndHold();
        seekTarget = Length();
    } else if (!paused) {
        pacer.SetRunning(true);
    }
}

void CStreamFileThread::Stop() {
    if (IsActive()) pacer.SetRunning(false);
    if (IsActive() || state == LogState::Recording) state = LogState::Open;
}

void CStreamFileThread::SetPacing(int32_t framesPerSecond) {
    pacing = framesPerSecond;
    if (state == LogState::Playing) pacer.SetFrameDelay(PlayDelay());
}

bool CStreamFileThread::Rewind(int64_t offset) {
    if (!IsActiveOrOpen()) return false;
    splitter.Clear();
    readFailed = false;
    previousEpochTime.reset();
    position = file.SetReadOffset(offset);
    return position == offset;
}

bool CStreamFileThread::ReadIntoSplitter() {
    const int n = file.Read(splitter.WritePointer(), splitter.FreeSpace());
    if (n > 0) {
        splitter.CommitWrite(n);
        return true;
    }
    if (n < 0 || file.ReadOffset() < file.Size()) {
        readFailed = true;
        lastError = n < 0 ? file.LastError() : 0;
    }
    return false;
}

bool CStreamFileThread::NextFrame(FrameRecord& record) {
    while (!splitter.NextFrame(record)) {
        splitter.Compact();
        if (ReadIntoSplitter()) continue;
        // The end: what remains cannot become a frame any more.
        const uint8_t* bytes;
        int length;
        splitter.TakeAll(bytes, length);
        record = FrameRecord{nullptr, bytes, length};
        break;
    }
    position += record.length;
    return record.length > 0;
}

void CStreamFileThread::FrameDone() {
    if (state == LogState::Seeking && seekTarget <= position) {
        PauseAndHold();
        if (resumeAfterSeek) {
            seekTarget = Length();
        } else {
            state = LogState::Playing;
            pacer.SetFrameDelay(PlayDelay());
        }
    } else if (state == LogState::Stepping) {
        state = LogState::Playing;
        PauseAndHold();
    } else if (state != LogState::None && (position >= Length() || readFailed)) {
        PauseAndHold();
    }
}
