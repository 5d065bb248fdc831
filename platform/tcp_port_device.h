#pragma once
#include <atomic>
#include <string>

#include "platform/port_device.h"
#include "platform/tcp_socket.h"

namespace platform {

// A receiver reached over TCP, as a port: tcp://HOST:PORT.
class CTcpPortDevice : public IPortDevice {
public:
    // How long an open waits for the connection: the watchdog opens on the user-interface thread.
    static constexpr int kConnectTimeoutMs = 500;

    // HOST and PORT of tcp://HOST:PORT; false for another form.
    static bool ParseAddress(const std::string& path, std::string& host, uint16_t& port);

    SerialError Open(const std::string& path) override;
    void Close() override { socket.Close(); }
    bool IsOpen() const override { return socket.IsConnected(); }
    bool IsHungUp() const override { return hungUp; }

    bool Configure(const LineSettings&) override { return IsOpen(); }
    int Read(uint8_t* buffer, int max, int timeoutMs) override;
    int Write(const uint8_t* bytes, int length, int stallTimeoutMs) override;
    void Drain() override {}
    void Purge() override {}
    uint32_t TakeLineErrors() override { return 0; }
    int QueuedBytes() const override { return socket.QueuedBytes(); }
    void SetDTR(bool) override {}
    void SetRTS(bool) override {}
    ModemStatus ReadModemStatus() const override { return {}; }

private:
    CTcpSocket socket;
    std::atomic<bool> hungUp{false};
};

}  // namespace platform
