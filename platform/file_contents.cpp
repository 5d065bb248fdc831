#include "file_contents.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {

namespace {

bool WriteAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t count = ::write(fd, data.data(), data.size());
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return false;
        data.remove_prefix(static_cast<size_t>(count));
    }
    return true;
}

// The file a path names in the end, so that replacing it does not replace a link to it.
std::string FinalTarget(const std::string& path) {
    std::error_code error;
    const std::filesystem::path target = std::filesystem::canonical(path, error);
    return error ? path : target.string();
}

// Unique within the process as well, so that two writers never share a temporary file.
std::string TemporaryName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
}

}  // namespace

ReadResult ReadFileContents(const std::string& path, size_t maxSize, std::string& contents, std::string& reason) {
    contents.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return ReadResult::Missing;
        reason = std::strerror(errno);
        return ReadResult::Failed;
    }
    struct stat info {};
    ReadResult result = ReadResult::Read;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        reason = "not a regular file";
        result = ReadResult::Failed;
    }
    char buffer[65536];
    while (result == ReadResult::Read) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count == 0) break;
        if (count < 0 && errno == EINTR) continue;
        if (count < 0 || contents.size() + static_cast<size_t>(count) > maxSize) {
            reason = count < 0 ? std::strerror(errno) : "too large";
            result = ReadResult::Failed;
        } else {
            contents.append(buffer, static_cast<size_t>(count));
        }
    }
    ::close(fd);
    return result;
}

bool ReplaceFileContents(const std::string& path, std::string_view contents, mode_t newFileMode) {
    const std::string target = FinalTarget(path);
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path(), ignored);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    const std::string temporary = TemporaryName(target);
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, exists ? 0600 : newFileMode);
    if (fd < 0) return false;
    const bool written =
        (!exists || ::fchmod(fd, existing.st_mode & 07777) == 0) && WriteAll(fd, contents) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (written && closed && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    const int reason = errno;
    ::unlink(temporary.c_str());
    errno = reason;
    return false;
}

}  // namespace platform
