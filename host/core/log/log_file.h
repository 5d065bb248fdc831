#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// How a log is opened: for replay only; for replay that may turn into a recording; or created
// (emptied) for a new recording. Writers hold an exclusive advisory lock, so that two instances
// never write into the same file; a reader takes none and may watch a file being recorded.
enum class LogOpenMode { Replay, ReplayWritable, Record };

// One log file on disk: read from a cursor for replay, appended to for recording. Offsets are
// 64-bit; day-long logs with debug output pass 4 GiB. Every byte a write reports as done stays in
// the file, also when a later write fails.
class CLogFile {
public:
    CLogFile() = default;
    ~CLogFile();
    CLogFile(const CLogFile&) = delete;
    CLogFile& operator=(const CLogFile&) = delete;

    // Only regular files open: a directory, a device or a pipe would stall or never end a replay.
    bool Open(const std::string& path, LogOpenMode mode);
    bool IsOpen() const { return descriptor >= 0; }
    bool IsWritable() const { return writable; }
    // What the file holds: its length when opened, plus everything appended since.
    int64_t Size() const { return size; }

    // Reads up to max bytes at the read offset, never beyond Size; 0 at the end, -1 on an error.
    int Read(uint8_t* buffer, int max);
    int64_t ReadOffset() const { return readOffset; }
    // Clamped to [0, Size]; returns the offset now in effect.
    int64_t SetReadOffset(int64_t offset);

    // Writes behind the last byte the file holds.
    bool Append(const uint8_t* bytes, size_t length);
    // Cuts off whatever lies beyond Size, syncs a written file to the disk and closes it; false
    // when the cut or the sync failed. Closing a closed file does nothing and succeeds.
    bool Close();

    // The errno of the last failure.
    int LastError() const { return lastError; }

private:
    bool Fail();
    bool LockAndPrepare(LogOpenMode mode);

    int descriptor = -1;
    bool writable = false;
    int64_t size = 0;
    int64_t readOffset = 0;
    int lastError = 0;
};
