#include "sim_link.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// One read of the host's commands; in packet mode every read starts with a status byte.
constexpr size_t kMaxPacket = 4096;
// Bytes written lie a moment in the kernel before the terminal counts them as waiting, so the
// line counts as taken only after it read empty for this long.
constexpr milliseconds kDrainQuiet{200};
// A host that takes nothing for this long has stopped reading: what it left is lost.
constexpr milliseconds kDrainStall{2000};

std::string Describe(const std::string& what, int error) { return what + ": " + std::strerror(error); }

// Replaced in one step, so that a host never finds the link missing or half made.
bool PointLink(const std::string& link, const std::string& target, std::string& error) {
    const std::string next = link + ".new";
    unlink(next.c_str());
    if (symlink(target.c_str(), next.c_str()) == 0 && rename(next.c_str(), link.c_str()) == 0) return true;
    error = Describe("cannot make the link " + link, errno);
    unlink(next.c_str());
    return false;
}

int WaitingBytes(int fd) {
    int waiting = 0;
    return ioctl(fd, FIONREAD, &waiting) == 0 ? waiting : 0;
}

}  // namespace

CSimLink::CSimLink(int fd, bool ownsFd, bool isTerminal) : fd(fd), ownsFd(ownsFd), isTerminal(isTerminal) {}

CSimLink::~CSimLink() {
    if (!isTerminal) {
        if (ownsFd) close(fd);
        return;
    }
    // What was told the listener also reaches the host.
    if (writtenListener)
        Unplug();
    else
        CloseTerminal();
}

std::unique_ptr<CSimLink> CSimLink::OpenPseudoTerminal(const std::string& linkPath, std::string& error) {
    std::unique_ptr<CSimLink> link(new CSimLink(-1, true, true));
    link->linkPath = linkPath;
    if (!link->OpenTerminal(error)) return nullptr;
    return link;
}

bool CSimLink::OpenTerminal(std::string& error) {
    int master = -1, slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        error = Describe("cannot open a pseudo-terminal", errno);
        return false;
    }
    int packetMode = 1;
    ioctl(master, TIOCPKT, &packetMode);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    fd = master;
    farEndFd = slave;
    device = name;
    hostListening = false;
    if (linkPath.empty() || PointLink(linkPath, device, error)) return true;
    CloseTerminal();
    return false;
}

void CSimLink::CloseTerminal() {
    if (fd < 0) return;
    if (!linkPath.empty()) unlink(linkPath.c_str());
    close(fd);
    close(farEndFd);
    fd = farEndFd = -1;
    hostListening = false;
}

std::unique_ptr<CSimLink> CSimLink::OpenFile(const std::string& path, std::string& error) {
    if (path == "-") return std::unique_ptr<CSimLink>(new CSimLink(STDOUT_FILENO, false, false));
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = Describe(path, errno);
        return nullptr;
    }
    return std::unique_ptr<CSimLink>(new CSimLink(fd, true, false));
}

void CSimLink::SetWrittenListener(std::function<void(std::span<const uint8_t>)> listener) {
    writtenListener = std::move(listener);
}

void CSimLink::Unplug() {
    if (!Plugged()) return;
    Drain();
    CloseTerminal();
}

bool CSimLink::PlugIn(std::string& error) { return Plugged() || OpenTerminal(error); }

// Closing the terminal drops what the host has not read yet, which no host could ever see.
void CSimLink::Drain() const {
    auto quietSince = Clock::now();
    auto progressAt = quietSince;
    int before = WaitingBytes(farEndFd);
    for (;;) {
        const auto now = Clock::now();
        const int waiting = WaitingBytes(farEndFd);
        if (waiting > 0) quietSince = now;
        if (waiting != before) progressAt = now;
        before = waiting;
        if (now - quietSince >= kDrainQuiet || now - progressAt >= kDrainStall) return;
        std::this_thread::sleep_for(milliseconds(10));
    }
}

size_t CSimLink::Read(uint8_t* buffer, size_t capacity) {
    if (!isTerminal || fd < 0) return 0;
    uint8_t packet[kMaxPacket + 1];
    for (;;) {
        const ssize_t n = read(fd, packet, std::min(capacity, kMaxPacket) + 1);
        if (n <= 0) return 0;
        if (packet[0] == TIOCPKT_DATA) {
            std::memcpy(buffer, packet + 1, static_cast<size_t>(n - 1));
            return static_cast<size_t>(n - 1);
        }
        if (packet[0] & TIOCPKT_FLUSHREAD) hostListening = true;
    }
}

// A status waiting is read alone, ahead of any data, so the host's commands stay where they are.
bool CSimLink::HostListening() {
    pollfd request{fd, POLLPRI, 0};
    uint8_t status = 0;
    if (!hostListening && poll(&request, 1, 0) > 0 && (request.revents & POLLPRI) && read(fd, &status, 1) == 1 &&
        (status & TIOCPKT_FLUSHREAD))
        hostListening = true;
    return hostListening;
}

CSimLink::WriteResult CSimLink::Write(const uint8_t* bytes, size_t length, int timeoutMs, int stopDescriptor) {
    if (isTerminal && (!Plugged() || (writtenListener && !HostListening()))) return WriteResult::Written;
    const auto deadline = Clock::now() + milliseconds(timeoutMs);
    size_t done = 0;
    while (done < length) {
        const ssize_t n = write(fd, bytes + done, length - done);
        if (n > 0) {
            if (writtenListener) writtenListener({bytes + done, static_cast<size_t>(n)});
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return WriteResult::Failed;
        int left = kWaitForever;
        if (timeoutMs != kWaitForever) {
            left = static_cast<int>(std::chrono::duration_cast<milliseconds>(deadline - Clock::now()).count());
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
