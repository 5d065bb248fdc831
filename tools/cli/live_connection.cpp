#include "live_connection.h"

#include <chrono>
#include <cstdio>

#include "host/core/threads/window_messages.h"
#include "platform/file_profile.h"
#include "platform/serial_device.h"
#include "platform/text.h"
#include "tools/cli/headless_host.h"
#include "tools/common/stop_signal.h"

namespace {

constexpr int kUpdateTimerMs = 50;
constexpr auto kWatchdogPeriod = std::chrono::seconds(1);
constexpr uint32_t kWaitForPortThreadMs = 5000;

std::unique_ptr<platform::CProfile> PortProfile(const std::string& devicePath) {
    if (devicePath.empty())
        return std::make_unique<platform::CFileProfile>(platform::CFileProfile::PathFor("Korvala", "Veltro3"));
    auto profile = std::make_unique<platform::CMemoryProfile>();
    profile->WriteString(u"Ports", u"COM1", platform::Utf8ToWide(devicePath));
    return profile;
}

ConnectionSettings Settings(const ConnectionOptions& options, const std::string& devicePath) {
    ConnectionSettings settings;
    settings.port = devicePath.empty() ? options.portNumber : 1;
    settings.doConnect = true;
    settings.autoConnect = true;
    settings.baudRate = options.baudRate;
    settings.autobaud = options.autobaud;
    return settings;
}

std::string DescribeLineErrors(uint32_t errors) {
    std::string text;
    auto add = [&](uint32_t bit, const char* name) {
        if (errors & bit) text += (text.empty() ? "" : ", ") + std::string(name);
    };
    add(platform::kLineErrorParity, "parity");
    add(platform::kLineErrorFraming, "framing");
    add(platform::kLineErrorBreak, "break");
    add(platform::kLineErrorOverrun | platform::kLineErrorReceiveOverflow, "overrun");
    return text;
}

}  // namespace

CLiveConnection::CLiveConnection(CHeadlessHost& host, const ConnectionOptions& options, const std::string& devicePath)
    : host(host),
      profile(PortProfile(devicePath)),
      ports(*profile),
      port(ports),
      connection(Settings(options, devicePath), port, ports),
      window(std::make_shared<platform::CMessageWindow>(
          [this](unsigned message, uintptr_t wParam, intptr_t lParam) { return OnMessage(message, wParam, lParam); })) {
    for (const auto& protocol : host.Document().Plugins().Protocols())
        port.AddProtocol(protocol.get(), protocol->check);
    port.SetTarget(window);
    host.Core().SetPortWriter(this);
}

CLiveConnection::~CLiveConnection() {
    // Closing the window first releases a hand-off that the port thread may be blocked in.
    window->Close();
    port.Close();
    port.Wait(kWaitForPortThreadMs);
    host.Core().SetPortWriter(nullptr);
}

std::string CLiveConnection::PortName() {
    const int n = connection.Settings().port;
    const std::string device = ports.DevicePath(n);
    return platform::FormatC("COM%d", n) + (device.empty() ? "" : " (" + device + ")");
}

bool CLiveConnection::Open(std::string& error) {
    const int n = connection.Settings().port;
    const std::string device = ports.DevicePath(n);
    if (device.empty()) {
        error = platform::FormatC("COM%d: no serial device is known for this number", n);
        return false;
    }
    const platform::SerialError probe = port.ProbePort(n);
    if (probe != platform::kSerialOk) {
        error = platform::FormatC("COM%d: ", n) + platform::WideToUtf8(platform::DescribeSerialError(probe, device));
        return false;
    }
    if (!port.Start(ThreadPriority::BelowNormal)) {
        error = "the port's reader cannot start";
        return false;
    }
    connection.Start();
    if (!port.IsOpen()) {
        error = PortName() + ": the port cannot be opened";
        return false;
    }
    wasOpen = true;
    reportedBaudRate = port.BaudRate();
    return true;
}

void CLiveConnection::Send(const std::vector<ReceiverCommand>& commands) {
    for (const ReceiverCommand& command : commands)
        host.Core().SendToReceiver(command.node, command.bytes.data(), static_cast<int>(command.bytes.size()));
}

void CLiveConnection::Run(const CStopSignal& stop) {
    auto nextSecond = std::chrono::steady_clock::now() + kWatchdogPeriod;
    while (!stop.Requested()) {
        window->WaitAndDispatch(kUpdateTimerMs);
        host.Document().OnUpdateTimer();
        if (std::chrono::steady_clock::now() < nextSecond) continue;
        nextSecond += kWatchdogPeriod;
        OnSecond();
    }
}

intptr_t CLiveConnection::OnMessage(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (message == WM_PORT_FRAME) {
        host.Core().OnPortFrame(reinterpret_cast<const FrameRecord*>(wParam), lParam);
    } else if (message == WM_PORT_READ) {
        connection.OnPortRead(static_cast<uint32_t>(wParam), static_cast<uint32_t>(lParam));
        lineErrors |= static_cast<uint32_t>(lParam);
    }
    return 0;
}

// The watchdog's tick; what went wrong in the second is reported once.
void CLiveConnection::OnSecond() {
    connection.OnWatchdogTimer();
    if (const std::string errors = DescribeLineErrors(lineErrors); !errors.empty())
        std::fprintf(stderr, "veltro-cli: line errors: %s\n", errors.c_str());
    lineErrors = 0;
    if (port.BaudRate() != reportedBaudRate) {
        reportedBaudRate = port.BaudRate();
        std::fprintf(stderr, "veltro-cli: trying %u baud\n", static_cast<unsigned>(reportedBaudRate));
    }
    if (port.IsOpen() == wasOpen) return;
    wasOpen = port.IsOpen();
    std::fprintf(stderr, "veltro-cli: %s %s\n", PortName().c_str(),
                 wasOpen ? "reconnected" : "lost; waiting for the device to return");
}
