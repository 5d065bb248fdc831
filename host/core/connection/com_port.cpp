#include "com_port.h"

#include <algorithm>

#include "platform/serial_probe.h"

using platform::SerialError;

namespace {

// A write whose time-outs are zero would wait for ever on a stalled line; it gives up after this
// long without progress instead.
constexpr int kDefaultWriteStallMs = 1000;

int ClampedMs(uint64_t milliseconds) { return static_cast<int>(std::min<uint64_t>(milliseconds, INT32_MAX)); }

}  // namespace

CComPort::CComPort(platform::CPortMap& ports) : ports(ports) {}

SerialError CComPort::OpenPort(int n) {
    if (IsOpen()) return platform::kSerialInUse;
    const std::string path = ports.DevicePath(n);
    if (path.empty()) return platform::kSerialNotFound;
    const SerialError error = device.Open(path);
    if (error != platform::kSerialOk) return error;
    if (!device.Configure(line)) {
        device.Close();
        return platform::kSerialNotFunctioning;
    }
    device.TakeLineErrors();
    device.Purge();
    device.SetDTR(true);
    device.SetRTS(true);
    number = n;
    openPath = path;
    return platform::kSerialOk;
}

void CComPort::Close() {
    if (!IsOpen()) return;
    device.SetDTR(false);
    device.SetRTS(false);
    device.Close();
    number = 0;
    openPath.clear();
}

bool CComPort::SetLine(uint32_t baudRate, uint8_t dataBits, platform::Parity parity, platform::StopBits stopBits) {
    const platform::LineSettings wanted{baudRate, dataBits, parity, stopBits};
    if (!IsOpen()) {
        line = wanted;
        return false;
    }
    // Settings the open line refused are not kept: the next open would fail with them.
    if (!device.Configure(wanted)) return false;
    line = wanted;
    device.TakeLineErrors();
    return true;
}

void CComPort::SetTimeouts(bool use, uint32_t readInterval, uint32_t readMultiplier, uint32_t readConstant,
                           uint32_t writeMultiplier, uint32_t writeConstant) {
    timeouts =
        use ? CommTimeouts{readInterval, readMultiplier, readConstant, writeMultiplier, writeConstant} : CommTimeouts{};
}

int CComPort::ReadTimeoutMs(int max) const {
    return ClampedMs(uint64_t{timeouts.readConstant} + uint64_t{timeouts.readMultiplier} * static_cast<uint64_t>(max));
}

int CComPort::WriteTimeoutMs(int length) const {
    const uint64_t total =
        uint64_t{timeouts.writeConstant} + uint64_t{timeouts.writeMultiplier} * static_cast<uint64_t>(length);
    return total == 0 ? kDefaultWriteStallMs : ClampedMs(total);
}

int CComPort::Read(uint8_t* buffer, int max) { return device.Read(buffer, max, ReadTimeoutMs(max)); }

int CComPort::Write(const uint8_t* bytes, int length) {
    return length > 0 ? device.Write(bytes, length, WriteTimeoutMs(length)) : 0;
}

void CComPort::Flush() { device.Drain(); }

void CComPort::Purge() { device.Purge(); }

void CComPort::GetErrors(uint32_t& errors, uint32_t& queued) {
    errors = device.TakeLineErrors();
    queued = static_cast<uint32_t>(device.QueuedBytes());
}

void CComPort::SetDTR(bool on) { device.SetDTR(on); }

void CComPort::SetRTS(bool on) { device.SetRTS(on); }

bool CComPort::IsCTS() const { return device.ReadModemStatus().cts; }

bool CComPort::IsDSR() const { return device.ReadModemStatus().dsr; }

bool CComPort::IsRing() const { return device.ReadModemStatus().ring; }

bool CComPort::IsRLSD() const { return device.ReadModemStatus().rlsd; }

SerialError CComPort::ProbePort(int n) {
    if (n == number && device.IsHungUp()) return platform::kSerialNotFound;
    const std::string path = ports.DevicePath(n);
    return path.empty() ? platform::kSerialNotFound : platform::ProbeSerialDevice(path);
}
