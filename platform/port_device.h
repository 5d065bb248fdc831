#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/serial_errors.h"

// What the receiver's port reads and writes: a serial device, or a receiver on the network
// (tcp://HOST:PORT: a network serial server, a receiver behind a TCP bridge). A network port has
// no line to set and no modem lines; it hangs up when the peer closes the connection.
namespace platform {

enum class Parity { None, Odd, Even };
enum class StopBits { One, Two };

struct LineSettings {
    uint32_t baudRate = 57600;
    uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
};

struct ModemStatus {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
};

class IPortDevice {
public:
    virtual ~IPortDevice() = default;

    virtual SerialError Open(const std::string& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // The device went away while open; it reads nothing until closed. From any thread.
    virtual bool IsHungUp() const = 0;

    virtual bool Configure(const LineSettings& settings) = 0;
    // Waits up to timeoutMs for the first byte, then takes what has arrived.
    virtual int Read(uint8_t* buffer, int max, int timeoutMs) = 0;
    // Gives up when the device takes nothing for stallTimeoutMs; returns the bytes written.
    virtual int Write(const uint8_t* bytes, int length, int stallTimeoutMs) = 0;
    virtual void Drain() = 0;
    virtual void Purge() = 0;
    virtual uint32_t TakeLineErrors() = 0;
    virtual int QueuedBytes() const = 0;
    virtual void SetDTR(bool on) = 0;
    virtual void SetRTS(bool on) = 0;
    virtual ModemStatus ReadModemStatus() const = 0;
};

// tcp://HOST:PORT.
bool IsNetworkPort(const std::string& path);
// The device for the path, closed.
std::unique_ptr<IPortDevice> MakePortDevice(const std::string& path);
// Whether the device could be opened now, without opening it. A network port cannot be asked
// without connecting: it answers kSerialOk for a well-formed address, and its open tells.
SerialError ProbePortDevice(const std::string& path);

}  // namespace platform
