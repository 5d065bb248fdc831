#pragma once
// Servers on 127.0.0.1 for the network clients' tests: an Aidwell-like server that takes one
// request line, an HTTP server that takes a request header, each answering with the bytes a test
// gives, on a port of their own and a thread of their own.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackServer {
public:
    // After the reply: close the connection, or hold it open (and silent) until the client
    // closes it or the server ends; or take the request and never answer at all.
    enum class After { Close, Hold, NoReply };

    // Each connection: the bytes up to and including terminator are the request; reply follows.
    LoopbackServer(std::string terminator, std::string reply, After after = After::Close)
        : terminator(std::move(terminator)), reply(std::move(reply)), after(after) {
        listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address = Loopback(0);
        socklen_t size = sizeof address;
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener, 4);
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
        thread = std::thread([this] { Serve(); });
    }
    ~LoopbackServer() {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(stop, &one, sizeof one);
        thread.join();
        close(listener);
        close(stop);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    uint16_t Port() const { return port; }
    std::vector<std::string> Requests() {
        std::lock_guard lock(mutex);
        return requests;
    }
    bool WaitForRequests(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(5)) {
        std::unique_lock lock(mutex);
        return arrived.wait_for(lock, limit, [&] { return requests.size() >= count; });
    }

    static sockaddr_in Loopback(uint16_t port) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        return address;
    }

private:
    // Waits for fd or the end of the server; false at the end.
    bool Await(int fd) const {
        pollfd waits[] = {{fd, POLLIN, 0}, {stop, POLLIN, 0}};
        return poll(waits, 2, -1) > 0 && !waits[1].revents;
    }
    void Serve() {
        while (Await(listener)) {
            const int connection = accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
            if (connection < 0) continue;
            Answer(connection);
            close(connection);
        }
    }
    void Answer(int connection) {
        std::string request;
        char byte = 0;
        while (!request.ends_with(terminator) && Await(connection) && recv(connection, &byte, 1, 0) == 1)
            request += byte;
        {
            std::lock_guard lock(mutex);
            requests.push_back(request);
        }
        arrived.notify_all();
        if (after == After::NoReply) return Hold(connection);
        send(connection, reply.data(), reply.size(), MSG_NOSIGNAL);
        if (after == After::Hold) Hold(connection);
    }
    void Hold(int connection) const {
        char byte = 0;
        while (Await(connection) && recv(connection, &byte, 1, 0) > 0) {
        }
    }

    const std::string terminator;
    const std::string reply;
    const After after;
    int listener = -1;
    int stop = eventfd(0, EFD_CLOEXEC);
    uint16_t port = 0;
    std::mutex mutex;
    std::condition_variable arrived;
    std::vector<std::string> requests;
    std::thread thread;
};

// The Aidwell server takes one request line.
inline constexpr char kAidwellRequestEnd[] = "\r\n";
// An HTTP request ends with an empty line.
inline constexpr char kHttpRequestEnd[] = "\r\n\r\n";

// A port on 127.0.0.1 that refuses connections: bound, never listening.
class RefusingPort {
public:
    RefusingPort() {
        sockaddr_in address = LoopbackServer::Loopback(0);
        socklen_t size = sizeof address;
        bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
    ~RefusingPort() { close(fd); }
    RefusingPort(const RefusingPort&) = delete;
    RefusingPort& operator=(const RefusingPort&) = delete;
    uint16_t Port() const { return port; }

private:
    int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    uint16_t port = 0;
};
