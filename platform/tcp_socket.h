#pragma once
#include <netinet/in.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

class CCancelSignal;

// The IPv4 address of a dotted address, or else the first IPv4 address the name resolves to;
// nullopt when there is none, or when cancel (may be null) is raised or timeoutMs (negative: no
// limit) runs out before the answer. The look-up runs on a helper thread of its own, which a
// cancel or a time-out leaves to end by itself.
std::optional<in_addr> ResolveIPv4(const std::string& host, const CCancelSignal* cancel, int timeoutMs = -1);

// A blocking IPv4 stream socket, the client's side. Every wait of it (look-up, connect, send,
// receive) also ends when the cancel signal given at construction is raised: the socket is then
// shut down, and this and every later call fails.
class CTcpSocket {
public:
    explicit CTcpSocket(const CCancelSignal* cancel = nullptr) : cancel(cancel) {}
    ~CTcpSocket() { Close(); }
    CTcpSocket(const CTcpSocket&) = delete;
    CTcpSocket& operator=(const CTcpSocket&) = delete;

    // A socket made for a connection that fails is closed again; a timeout (in milliseconds,
    // negative: none) bounds the name look-up and the wait for the peer, each.
    bool Connect(const std::string& host, uint16_t port, int timeoutMs = -1);
    bool IsConnected() const { return fd >= 0; }
    // Every byte, or false.
    bool SendAll(const void* bytes, size_t length);
    // Waits for data: the count read (at most capacity), 0 once the peer has closed, -1 on an
    // error or a cancel.
    int Receive(void* buffer, size_t capacity);
    // As Receive, waiting at most timeoutMs: 0 when nothing came, -1 once the peer has closed.
    int ReceiveWithin(void* buffer, size_t capacity, int timeoutMs);
    // The bytes sent before the peer took nothing for stallTimeoutMs, or before an error.
    size_t SendWithin(const void* bytes, size_t length, int stallTimeoutMs);
    // Bytes received and not yet read.
    int QueuedBytes() const;
    void Close();
    // Every byte received so far; from any thread, so that another can watch a transfer stall.
    uint64_t BytesReceived() const { return bytesReceived.load(); }

private:
    enum class Wait { Ready, TimedOut, Cancelled };
    // Waits until the socket has one of events (or an error to tell); a cancel shuts it down.
    Wait WaitFor(short events, int timeoutMs = -1);

    const CCancelSignal* cancel;
    int fd = -1;
    std::atomic<uint64_t> bytesReceived{0};
};

}  // namespace platform
