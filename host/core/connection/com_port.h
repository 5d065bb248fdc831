#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/port_map.h"
#include "platform/port_device.h"
#include "platform/serial_device.h"

// The time-outs of a port, in milliseconds. A read waits at most readConstant + readMultiplier
// times the bytes asked for; all zero with readInterval 0xFFFFFFFF returns at once.
struct CommTimeouts {
    uint32_t readInterval = 0xFFFFFFFF;
    uint32_t readMultiplier = 0;
    uint32_t readConstant = 0;
    uint32_t writeMultiplier = 0;
    uint32_t writeConstant = 0;
};

// One port, named COM and a number: opened by number through the port map, with line settings
// and time-outs that it keeps while closed and applies when it opens. The number stands for a
// serial device or for a receiver on the network (tcp://HOST:PORT); both are read alike.
class CComPort {
public:
    explicit CComPort(platform::CPortMap& ports);

    platform::SerialError OpenPort(int n);
    void Close();
    bool IsOpen() const { return device && device->IsOpen(); }
    // The device that the open port stands for; empty while closed.
    const std::string& DevicePath() const { return openPath; }

    // While closed: stores the settings for the next open and returns false. While open: applies
    // them and keeps them only when the line took them.
    bool SetLine(uint32_t baudRate, uint8_t dataBits, platform::Parity parity, platform::StopBits stopBits);
    void SetTimeouts(bool use, uint32_t readInterval, uint32_t readMultiplier, uint32_t readConstant,
                     uint32_t writeMultiplier, uint32_t writeConstant);

    int Read(uint8_t* buffer, int max);
    // Returns the number of bytes written: 0 when closed, fewer than length when the line stalls.
    int Write(const uint8_t* bytes, int length);
    void Flush();
    void Purge();
    // The line errors since the last call and the bytes waiting to be read.
    void GetErrors(uint32_t& errors, uint32_t& queued);

    void SetDTR(bool on);
    void SetRTS(bool on);
    bool IsCTS() const;
    bool IsDSR() const;
    bool IsRing() const;
    bool IsRLSD() const;

    // Whether port n could be opened now, without opening it. The open port answers "not found"
    // once its device has gone, even when a new device already took its place. Unlike the other
    // operations it may run beside a Read.
    platform::SerialError ProbePort(int n);

private:
    platform::ModemStatus ModemLines() const;
    int ReadTimeoutMs(int max) const;
    int WriteTimeoutMs(int length) const;

    platform::CPortMap& ports;
    // The open port's number, 0 while closed, and its device.
    int number = 0;
    std::string openPath;
    // Made for the device at each open; null while closed.
    std::unique_ptr<platform::IPortDevice> device;
    platform::LineSettings line;
    CommTimeouts timeouts;
};
