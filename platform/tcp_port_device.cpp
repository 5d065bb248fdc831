#include "tcp_port_device.h"

#include <algorithm>
#include <chrono>
#include <string_view>
#include <thread>

#include "platform/serial_device.h"
#include "platform/serial_probe.h"

namespace platform {

namespace {

constexpr std::string_view kScheme = "tcp://";
// A dead connection is polled no faster than this, as a dead serial device.
constexpr int kHangUpPauseMs = 100;

}  // namespace

bool IsNetworkPort(const std::string& path) { return path.starts_with(kScheme); }

std::unique_ptr<IPortDevice> MakePortDevice(const std::string& path) {
    if (IsNetworkPort(path)) return std::make_unique<CTcpPortDevice>();
    return std::make_unique<CSerialDevice>();
}

SerialError ProbePortDevice(const std::string& path) {
    std::string host;
    uint16_t port = 0;
    if (IsNetworkPort(path)) return CTcpPortDevice::ParseAddress(path, host, port) ? kSerialOk : kSerialNotFound;
    return ProbeSerialDevice(path);
}

bool CTcpPortDevice::ParseAddress(const std::string& path, std::string& host, uint16_t& port) {
    if (!IsNetworkPort(path)) return false;
    const std::string_view address = std::string_view(path).substr(kScheme.size());
    const size_t colon = address.rfind(':');
    if (colon == std::string_view::npos || colon == 0) return false;
    const std::string_view digits = address.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const unsigned long number = std::stoul(std::string(digits));
    if (number < 1 || number > 65535) return false;
    host = address.substr(0, colon);
    port = static_cast<uint16_t>(number);
    return true;
}

SerialError CTcpPortDevice::Open(const std::string& path) {
    if (IsOpen()) return kSerialInUse;
    std::string host;
    uint16_t port = 0;
    if (!ParseAddress(path, host, port)) return kSerialNotFound;
    if (!socket.Connect(host, port, kConnectTimeoutMs)) return kSerialNotFound;
    hungUp = false;
    return kSerialOk;
}

int CTcpPortDevice::Read(uint8_t* buffer, int max, int timeoutMs) {
    if (!IsOpen() || max <= 0) return 0;
    if (!hungUp) {
        const int count = socket.ReceiveWithin(buffer, static_cast<size_t>(max), timeoutMs);
        if (count >= 0) return count;
        hungUp = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::max(timeoutMs, kHangUpPauseMs)));
    return 0;
}

int CTcpPortDevice::Write(const uint8_t* bytes, int length, int stallTimeoutMs) {
    if (!IsOpen() || hungUp || length <= 0) return 0;
    return static_cast<int>(socket.SendWithin(bytes, static_cast<size_t>(length), stallTimeoutMs));
}

}  // namespace platform
