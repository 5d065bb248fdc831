#include "log_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

static_assert(sizeof(off_t) == 8, "log offsets need 64 bits");

namespace {

int OpenFlags(LogOpenMode mode) {
    // Non-blocking only for the open itself: opening a pipe for reading would wait for a writer.
    const int common = O_CLOEXEC | O_NONBLOCK;
    switch (mode) {
        case LogOpenMode::Replay:
            return common | O_RDONLY;
        case LogOpenMode::ReplayWritable:
            return common | O_RDWR;
        case LogOpenMode::Record:
            return common | O_RDWR | O_CREAT;
    }
    return common | O_RDONLY;
}

}  // namespace

CLogFile::~CLogFile() { Close(); }

bool CLogFile::Fail() {
    lastError = errno;
    if (descriptor >= 0) ::close(descriptor);
    descriptor = -1;
    writable = false;
    return false;
}

bool CLogFile::Open(const std::string& path, LogOpenMode mode) {
    Close();
    descriptor = ::open(path.c_str(), OpenFlags(mode), 0666);
    if (descriptor < 0) return Fail();
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) return Fail();
    if (!S_ISREG(status.st_mode)) {
        errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        return Fail();
    }
    if (::fcntl(descriptor, F_SETFL, 0) != 0) return Fail();
    writable = mode != LogOpenMode::Replay;
    size = status.st_size;
    readOffset = 0;
    return LockAndPrepare(mode);
}

// The lock comes before the truncation, so that a file another instance records into is refused
// without losing a byte.
bool CLogFile::LockAndPrepare(LogOpenMode mode) {
    if (!writable) return true;
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) return Fail();
    if (mode == LogOpenMode::Record) {
        if (::ftruncate(descriptor, 0) != 0) return Fail();
        size = 0;
    }
    return true;
}

int CLogFile::Read(uint8_t* buffer, int max) {
    const int64_t wanted = std::min<int64_t>(max, size - readOffset);
    if (descriptor < 0 || wanted <= 0) return 0;
    ssize_t n;
    do {
        n = ::pread(descriptor, buffer, static_cast<size_t>(wanted), readOffset);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        lastError = errno;
        return -1;
    }
    readOffset += n;
    return static_cast<int>(n);
}

int64_t CLogFile::SetReadOffset(int64_t offset) {
    readOffset = std::clamp<int64_t>(offset, 0, size);
    return readOffset;
}

bool CLogFile::Append(const uint8_t* bytes, size_t length) {
    if (descriptor < 0 || !writable) {
        lastError = EBADF;
        return false;
    }
    while (length > 0) {
        const ssize_t n = ::pwrite(descriptor, bytes, length, size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            lastError = n < 0 ? errno : EIO;
            return false;
        }
        size += n;
        bytes += n;
        length -= static_cast<size_t>(n);
    }
    return true;
}

bool CLogFile::Close() {
    if (descriptor < 0) return true;
    bool done = true;
    if (writable) {
        struct stat status {};
        if (::fstat(descriptor, &status) == 0 && status.st_size > size && ::ftruncate(descriptor, size) != 0) {
            lastError = errno;
            done = false;
        }
        if (::fsync(descriptor) != 0) {
            lastError = errno;
            done = false;
        }
    }
    ::close(descriptor);
    descriptor = -1;
    writable = false;
    size = readOffset = 0;
    return done;
}
