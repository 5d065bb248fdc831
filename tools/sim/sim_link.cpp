#include "sim_link.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

namespace {
std::string Describe(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }
}  // namespace

CSimLink::CSimLink(int fd, bool ownsFd, bool isTerminal) : fd(fd), ownsFd(ownsFd), isTerminal(isTerminal) {}

CSimLink::~CSimLink() {
    if (ownsFd) close(fd);
    if (farEndFd >= 0) close(farEndFd);
}

std::unique_ptr<CSimLink> CSimLink::OpenPseudoTerminal(std::string& error) {
    int master = -1, slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        error = Describe("cannot open a pseudo-terminal", errno);
        return nullptr;
    }
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    std::unique_ptr<CSimLink> link(new CSimLink(master, true, true));
    link->farEndFd = slave;
    link->farEnd = name;
    return link;
}

std::unique_ptr<CSimLink> CSimLink::OpenFile(const std::string& path, std::string& error) {
    if (path == "-") return std::unique_ptr<CSimLink>(new CSimLink(STDOUT_FILENO, false, false));
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = Describe(path.c_str(), errno);
        return nullptr;
    }
    return std::unique_ptr<CSimLink>(new CSimLink(fd, true, false));
}

size_t CSimLink::Read(uint8_t* buffer, size_t capacity) {
    if (!isTerminal) return 0;
    const ssize_t n = read(fd, buffer, capacity);
    return n > 0 ? static_cast<size_t>(n) : 0;
}

CSimLink::WriteResult CSimLink::Write(const uint8_t* bytes, size_t length, int timeoutMs, int stopDescriptor) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = write(fd, bytes + done, length - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return WriteResult::Failed;
        int left = kWaitForever;
        if (timeoutMs != kWaitForever) {
            left = static_cast<int>(
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count());
            if (left <= 0) return WriteResult::TimedOut;
        }
        WriteResult why;
        if (!WaitWritable(left, stopDescriptor, why)) return why;
    }
    return WriteResult::Written;
}

bool CSimLink::WaitWritable(int timeoutMs, int stopDescriptor, WriteResult& why) const {
    pollfd waits[] = {{fd, POLLOUT, 0}, {stopDescriptor, POLLIN, 0}};
    const int n = poll(waits, stopDescriptor >= 0 ? 2 : 1, timeoutMs);
    if (n < 0 && errno != EINTR) {
        why = WriteResult::Failed;
        return false;
    }
    if (waits[1].revents & POLLIN) {
        why = WriteResult::Stopped;
        return false;
    }
    if (n == 0) {
        why = WriteResult::TimedOut;
        return false;
    }
    return true;
}
