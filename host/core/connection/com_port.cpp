#include "com_port.h"

#include <algorithm>

#include "platform/port_device.h"

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
    std::unique_ptr<platform::IPortDevice> opened = platform::MakePortDevice(path);
    const SerialError error = opened->Open(path);
    if (error != platform::kSerialOk) return error;
    if (!opened->Configure(line)) {
        opened->Close();
        return platform::kSerialNotFunctioning;
    }
    opened->TakeLineErrors();
    opened->Purge();
    opened->SetDTR(true);
    opened->SetRTS(true);
    device = std::move(opened);
    number = n;
    openPath = path;
    return platform::kSerialOk;
}

void CComPort::Close() {
    if (!IsOpen()) return;
    device->SetDTR(false);
    device->SetRTS(false);
    device->Close();
    device.reset();
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
    if (!device->Configure(wanted)) return false;
    line = wanted;
    device->TakeLineErrors();
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

int CComPort::Read(uint8_t* buffer, int max) { return IsOpen() ? device->Read(buffer, max, ReadTimeoutMs(max)) : 0; }

int CComPort::Write(const uint8_t* bytes, int length) {
    return length > 0 && IsOpen() ? device->Write(bytes, length, WriteTimeoutMs(length)) : 0;
}

void CComPort::Flush() {
    if (IsOpen()) device->Drain();
}

void CComPort::Purge() {
    if (IsOpen()) device->Purge();
}

void CComPort::GetErrors(uint32_t& errors, uint32_t& queued) {
    errors = IsOpen() ? device->TakeLineErrors() : 0;
    queued = IsOpen() ? static_cast<uint32_t>(device->QueuedBytes()) : 0;
}

void CComPort::SetDTR(bool on) {
    if (IsOpen()) device->SetDTR(on);
}

void CComPort::SetRTS(bool on) {
    if (IsOpen()) device->SetRTS(on);
}

platform::ModemStatus CComPort::ModemLines() const { return IsOpen() ? device->ReadModemStatus() : platform::ModemStatus{}; }

bool CComPort::IsCTS() const { return ModemLines().cts; }

bool CComPort::IsDSR() const { return ModemLines().dsr; }

bool CComPort::IsRing() const { return ModemLines().ring; }

bool CComPort::IsRLSD() const { return ModemLines().rlsd; }

SerialError CComPort::ProbePort(int n) {
    if (n == number && device && device->IsHungUp()) return platform::kSerialNotFound;
    const std::string path = ports.DevicePath(n);
    return path.empty() ? platform::kSerialNotFound : platform::ProbePortDevice(path);
}
