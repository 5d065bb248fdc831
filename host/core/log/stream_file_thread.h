#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "host/core/intake/frame_splitter.h"
#include "host/core/log/history_ring.h"
#include "host/core/log/log_file.h"
#include "host/core/threads/base_thread.h"

namespace platform {
class CMessageWindow;
}

// Replay speeds of the Play menu, in frames per second. Normal plays at the receiver's own pace
// once the log has told its epoch times, and at 10 frames a second until then.
constexpr int32_t kPacingSlow = 1;
constexpr int32_t kPacingNormal = 10;
constexpr int32_t kPacingFast = 2147483647;
// The longest pause between two epochs at the receiver's pace: a gap in the log is not waited out.
constexpr int kLongestEpochPauseMs = 3000;

// The log thread: paces the replay by handing WM_FILE_FRAME to the owner window, one message at
// a time, while the run event is set and the frame delay has passed since the last step. A stop
// request wakes every wait at once, so that exit never waits for a paused replay.
class CReplayPacer : public CBaseThread {
public:
    CReplayPacer() = default;
    // Close the target window first, so that no hand-off is left blocked.
    ~CReplayPacer() override;

    // Before Start.
    void SetTarget(platform::CMessageWindow* window);
    void Stop() override;

    // The run event.
    void SetRunning(bool run);
    bool IsRunning() const;
    void SetFrameDelay(int milliseconds);
    int FrameDelay() const;

protected:
    void DoWork() override;

private:
    bool WaitForDelay(std::unique_lock<std::mutex>& lock);

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool running = false;
    bool stopRequested = false;
    int frameDelay = 0;
    std::chrono::steady_clock::time_point lastStep;
    platform::CMessageWindow* target = nullptr;
};

// What the log is doing.
enum class LogState : int32_t { None = 0, Open = 1, Playing = 2, Stepping = 3, Seeking = 4, Recording = 5 };

// The stream log: the history ring of recent traffic, recording to a log file and replaying one
// through a splitter of its own. Used from the user-interface thread only; its pacer is the one
// part that runs on a thread of its own.
class CStreamFileThread {
public:
    CStreamFileThread() = default;
    CStreamFileThread(const CStreamFileThread&) = delete;
    CStreamFileThread& operator=(const CStreamFileThread&) = delete;

    CReplayPacer& Pacer() { return pacer; }
    // Register the protocols' recognisers here.
    CFrameSplitter& Splitter() { return splitter; }

    // Every received frame and every sent message, whatever the state.
    void AppendHistory(const uint8_t* bytes, size_t length) { history.Append(bytes, length); }
    const CHistoryRing& History() const { return history; }

    bool Open(const std::string& path, LogOpenMode mode);
    void CloseFile();
    // The write operations answer false when a write failed: the file is then closed, holding every
    // byte written before, and LastError tells why.
    bool WriteHistory();
    void StartRecording();
    // Appends while recording and not paused; otherwise does nothing.
    bool AppendRecord(const uint8_t* bytes, size_t length);

    void Play();
    void Step();
    void SetPaused(bool pause);
    void TogglePause() { SetPaused(!paused); }
    void Seek(int64_t target);
    // Ends a replay or a recording; the file stays open.
    void Stop();
    // In frames per second.
    void SetPacing(int32_t framesPerSecond);
    bool Rewind(int64_t offset);

    // For the WM_FILE_FRAME handler: the next replayed record (false when none had bytes), and the
    // state change after it was processed.
    bool NextFrame(FrameRecord& record);
    void FrameDone();
    // After each replayed frame: the receiver time of the epoch that the frame closed, if any.
    // At the receiver's pace the frames of an epoch follow each other at once, and the next epoch
    // waits for the time between the two epoch times.
    void PaceAtReceiverTime(std::optional<double> closedEpochTime);
    bool PacesAtReceiverTime() const { return state == LogState::Playing && pacing == kPacingNormal; }

    bool IsActive() const;
    // Bytes go to the file: recording and not paused.
    bool IsRecording() const { return state == LogState::Recording && !paused; }
    LogState State() const { return state; }
    bool IsPaused() const { return paused; }
    bool IsReadOnly() const { return !file.IsWritable(); }
    int64_t Position() const { return position; }
    int64_t Length() const { return file.Size(); }
    const std::string& Path() const { return path; }
    int32_t Pacing() const { return pacing; }
    int LastError() const { return lastError; }

private:
    bool IsActiveOrOpen() const { return IsActive() || state == LogState::Open; }
    bool WriteToEnd(const uint8_t* bytes, size_t length);
    bool ReadIntoSplitter();
    void PauseAndHold();
    int PlayDelay() const;
    void ForgetEpochTimes();

    CReplayPacer pacer;
    CFrameSplitter splitter;
    CLogFile file;
    std::string path;
    bool paused = false;
    int32_t pacing = kPacingNormal;
    LogState state = LogState::None;
    bool resumeAfterSeek = false;
    int64_t seekTarget = 0;
    int64_t position = 0;
    // The receiver time of the last epoch replayed since the last jump, and whether the log has
    // told any.
    std::optional<double> previousEpochTime;
    bool epochTimesKnown = false;
    // A read failed or the file shrank under the replay: its end came early.
    bool readFailed = false;
    int lastError = 0;
    CHistoryRing history;
};
