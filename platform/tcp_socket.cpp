#include "tcp_socket.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "platform/cancel_signal.h"

namespace platform {

namespace {

// What the helper thread of a look-up and its waiter share; the last of them to go frees it.
struct Lookup {
    Lookup() : done(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~Lookup() {
        if (done >= 0) close(done);
    }

    const int done;
    std::mutex mutex;
    std::optional<in_addr> address;
};

void Resolve(const std::shared_ptr<Lookup>& lookup, const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found) {
        std::lock_guard lock(lookup->mutex);
        lookup->address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    }
    if (found) freeaddrinfo(found);
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(lookup->done, &one, sizeof one);
}

// Waits for fd to have events, or for cancel, at most timeoutMs (negative: no limit); the
// revents of fd, 0 on a cancel or an error, -1 when the time ran out.
int PollWithCancel(int fd, short events, const CCancelSignal* cancel, int timeoutMs = -1) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    pollfd waits[] = {{fd, events, 0}, {cancel ? cancel->Descriptor() : -1, POLLIN, 0}};
    while (!(cancel && cancel->IsRaised())) {
        int wait = cancel && cancel->Descriptor() < 0 ? 10 : -1;
        if (timeoutMs >= 0) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left < 0) return -1;
            wait = wait < 0 ? static_cast<int>(left) : std::min(wait, static_cast<int>(left));
        }
        const int ready = poll(waits, 2, wait);
        if (ready < 0 && errno != EINTR) return 0;
        if (ready > 0 && waits[0].revents) return waits[0].revents;
        if (ready == 0 && timeoutMs >= 0 && Clock::now() >= deadline) return -1;
    }
    return 0;
}

}  // namespace

std::optional<in_addr> ResolveIPv4(const std::string& host, const CCancelSignal* cancel, int timeoutMs) {
    in_addr dotted{};
    if (inet_aton(host.c_str(), &dotted)) return dotted;
    auto lookup = std::make_shared<Lookup>();
    if (lookup->done < 0) return std::nullopt;
    try {
        std::thread(Resolve, lookup, host).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
    if (PollWithCancel(lookup->done, POLLIN, cancel, timeoutMs) <= 0) return std::nullopt;
    std::lock_guard lock(lookup->mutex);
    return lookup->address;
}

bool CTcpSocket::Connect(const std::string& host, uint16_t port, int timeoutMs) {
    Close();
    const std::optional<in_addr> address = ResolveIPv4(host, cancel, timeoutMs);
    if (!address) return false;
    fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return false;
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    peer.sin_addr = *address;
    int error = 0;
    socklen_t size = sizeof error;
    if (connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) != 0 &&
        (errno != EINPROGRESS || WaitFor(POLLOUT, timeoutMs) != Wait::Ready || getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0 ||
         error != 0)) {
        Close();
        return false;
    }
    return true;
}

CTcpSocket::Wait CTcpSocket::WaitFor(short events, int timeoutMs) {
    if (fd < 0) return Wait::Cancelled;
    const int ready = PollWithCancel(fd, events, cancel, timeoutMs);
    if (ready > 0) return Wait::Ready;
    if (ready < 0) return Wait::TimedOut;
    shutdown(fd, SHUT_RDWR);
    return Wait::Cancelled;
}

bool CTcpSocket::SendAll(const void* bytes, size_t length) {
    const auto* next = static_cast<const uint8_t*>(bytes);
    while (length > 0) {
        if (WaitFor(POLLOUT) != Wait::Ready) return false;
        const ssize_t sent = send(fd, next, length, MSG_NOSIGNAL);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (sent <= 0) return false;
        next += sent;
        length -= static_cast<size_t>(sent);
    }
    return true;
}

int CTcpSocket::Receive(void* buffer, size_t capacity) {
    while (WaitFor(POLLIN) == Wait::Ready) {
        const ssize_t received = recv(fd, buffer, std::min<size_t>(capacity, INT_MAX), 0);
        if (received >= 0) {
            bytesReceived += static_cast<uint64_t>(received);
            return static_cast<int>(received);
        }
        if (errno != EAGAIN && errno != EINTR) return -1;
    }
    return -1;
}

int CTcpSocket::ReceiveWithin(void* buffer, size_t capacity, int timeoutMs) {
    const Wait wait = WaitFor(POLLIN, timeoutMs);
    if (wait == Wait::TimedOut) return 0;
    if (wait == Wait::Cancelled) return -1;
    const ssize_t received = recv(fd, buffer, std::min<size_t>(capacity, INT_MAX), 0);
    if (received < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
    if (received <= 0) return -1;
    bytesReceived += static_cast<uint64_t>(received);
    return static_cast<int>(received);
}

size_t CTcpSocket::SendWithin(const void* bytes, size_t length, int stallTimeoutMs) {
    const auto* start = static_cast<const uint8_t*>(bytes);
    size_t sent = 0;
    while (sent < length) {
        const ssize_t count = send(fd, start + sent, length - sent, MSG_NOSIGNAL);
        if (count > 0) {
            sent += static_cast<size_t>(count);
        } else if (!(count < 0 && (errno == EINTR || (errno == EAGAIN && WaitFor(POLLOUT, stallTimeoutMs) == Wait::Ready)))) {
            break;
        }
    }
    return sent;
}

int CTcpSocket::QueuedBytes() const {
    int queued = 0;
    return fd >= 0 && ioctl(fd, FIONREAD, &queued) == 0 ? queued : 0;
}

void CTcpSocket::Close() {
    if (fd >= 0) close(fd);
    fd = -1;
}

}  // namespace platform
