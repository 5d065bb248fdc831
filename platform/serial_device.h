#pragma once
#include <atomic>
#include <cstdint>
#include <string>

#include "platform/serial_errors.h"

// A serial device on termios, offering what the handheld's COM driver offered the port code.
namespace platform {

enum class Parity { None, Odd, Even };
enum class StopBits { One, Two };

struct LineSettings {
    uint32_t baudRate = 57600;
    uint8_t dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
};

// Line-error bits, with the values of the handheld's driver.
constexpr uint32_t kLineErrorReceiveOverflow = 0x01;
constexpr uint32_t kLineErrorOverrun = 0x02;
constexpr uint32_t kLineErrorParity = 0x04;
constexpr uint32_t kLineErrorFraming = 0x08;
constexpr uint32_t kLineErrorBreak = 0x10;

struct ModemStatus {
    bool cts = false;
    bool dsr = false;
    bool ring = false;
    bool rlsd = false;
};

// Whether termios has a speed for this rate.
bool IsSupportedBaudRate(uint32_t rate);

class CSerialDevice {
public:
    CSerialDevice() = default;
    ~CSerialDevice();
    CSerialDevice(const CSerialDevice&) = delete;
    CSerialDevice& operator=(const CSerialDevice&) = delete;

    // Exclusive: an advisory lock plus TIOCEXCL, so that two programs cannot share a receiver.
    SerialError Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd >= 0; }
    // The device went away while open (an unplugged adapter); it reads nothing until closed.
    bool IsHungUp() const { return hungUp; }

    // Raw 8-bit line without flow control, at the given rate and framing.
    bool Configure(const LineSettings& settings);
    // Waits up to timeoutMs for the first byte, then takes what has arrived.
    int Read(uint8_t* buffer, int max, int timeoutMs);
    // Loops over partial writes; gives up when the line takes nothing for stallTimeoutMs.
    // Returns the number of bytes written.
    int Write(const uint8_t* bytes, int length, int stallTimeoutMs);
    // Waits until the output has left, at most as long as sending it should take, plus a margin.
    void Drain();
    // Discards the input and output not yet read or sent.
    void Purge();
    // Parity, framing, break and overrun errors since the last call (or since opening).
    uint32_t TakeLineErrors();
    // Bytes received and not yet read.
    int QueuedBytes() const;
    void SetDTR(bool on);
    void SetRTS(bool on);
    ModemStatus ReadModemStatus() const;

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
