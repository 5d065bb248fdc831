#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/port_device.h"
#include "platform/serial_errors.h"

// A serial device on termios, offering what the handheld's COM driver offered the port code.
namespace platform {

// Line-error bits, with the values of the handheld's driver.
constexpr uint32_t kLineErrorReceiveOverflow = 0x01;
constexpr uint32_t kLineErrorOverrun = 0x02;
constexpr uint32_t kLineErrorParity = 0x04;
constexpr uint32_t kLineErrorFraming = 0x08;
constexpr uint32_t kLineErrorBreak = 0x10;

// Whether termios has a speed for this rate.
bool IsSupportedBaudRate(uint32_t rate);

class CSerialDevice : public IPortDevice {
public:
    CSerialDevice() = default;
    ~CSerialDevice() override;
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Exclusive: an advisory lock plus TIOCEXCL, so that two programs cannot share a receiver.
    SerialError Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return fd >= 0; }
    // The device went away while open (an unplugged adapter); it reads nothing until closed.
    bool IsHungUp() const override { return hungUp; }

    // Raw 8-bit line without flow control, at the given rate and framing.
    bool Configure(const LineSettings& settings) override;
    // Waits up to timeoutMs for the first byte, then takes what has arrived.
    int Read(uint8_t* buffer, int max, int timeoutMs) override;
    // Loops over partial writes; gives up when the line takes nothing for stallTimeoutMs.
    // Returns the number of bytes written.
    int Write(const uint8_t* bytes, int length, int stallTimeoutMs) override;
    // Waits until the output has left, at most as long as sending it should take, plus a margin.
    void Drain() override;
    // Discards the input and output not yet read or sent.
    void Purge() override;
    // Parity, framing, break and overrun errors since the last call (or since opening).
    uint32_t TakeLineErrors() override;
    // Bytes received and not yet read.
    int QueuedBytes() const override;
    void SetDTR(bool on) override;
    void SetRTS(bool on) override;
    ModemStatus ReadModemStatus() const override;

private:
    struct ErrorCounts {
        int parity = 0;
        int frame = 0;
        int brk = 0;
        int overrun = 0;
        int bufferOverrun = 0;
    };

    bool ReadErrorCounts(ErrorCounts& counts) const;
    bool WaitWritable(int timeoutMs) const;
    void SetModemLines(int lines, bool on);
    int MarkHungUp(int timeoutMs);

    int fd = -1;
    // Set by the reading thread, asked by the connection's watchdog.
    std::atomic<bool> hungUp{false};
    uint32_t baudRate = 0;
    ErrorCounts errorCounts;
};

}  // namespace platform
