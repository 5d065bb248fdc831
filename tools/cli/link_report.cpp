#include "link_report.h"

#include <cstdio>

#include "host/core/connection/port_thread.h"
#include "platform/port_map.h"
#include "platform/serial_device.h"
#include "platform/text.h"

namespace {

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

CLinkReport::CLinkReport(CPortThread& port, platform::CPortMap& ports, int portNumber)
    : port(port), ports(ports), portNumber(portNumber) {}

std::string CLinkReport::PortName() {
    const std::string device = ports.DevicePath(portNumber);
    return platform::FormatC("COM%d", portNumber) + (device.empty() ? "" : " (" + device + ")");
}

bool CLinkReport::CheckOpen(std::string& error) {
    wasOpen = port.IsOpen();
    reportedBaudRate = port.BaudRate();
    if (wasOpen) return true;
    const std::string device = ports.DevicePath(portNumber);
    if (device.empty()) {
        error = platform::FormatC("COM%d: no serial device is known for this number", portNumber);
        return false;
    }
    const platform::SerialError probe = port.ProbePort(portNumber);
    if (probe != platform::kSerialOk)
        error = platform::FormatC("COM%d: ", portNumber) +
                platform::WideToUtf8(platform::DescribeSerialError(probe, device));
    else
        error = PortName() + ": the port cannot be opened";
    return false;
}

void CLinkReport::OnSecond() {
    if (const std::string errors = DescribeLineErrors(lineErrors); !errors.empty())
        std::fprintf(stderr, "veltro-cli: line errors: %s\n", errors.c_str());
    lineErrors = 0;
    if (port.BaudRate() != reportedBaudRate) {
        reportedBaudRate = port.BaudRate();
        std::fprintf(stderr, "veltro-cli: trying %u baud\n", static_cast<unsigned>(reportedBaudRate));
    }
    if (port.IsOpen() != wasOpen) {
        wasOpen = port.IsOpen();
        std::fprintf(stderr, "veltro-cli: %s %s\n", PortName().c_str(),
                     wasOpen ? "reconnected" : "lost; waiting for the device to return");
    }
    if (!wasOpen) ReportBusyOnce();
}

// A device that returned while another program holds it would keep the wait silent.
void CLinkReport::ReportBusyOnce() {
    const bool busy = port.ProbePort(portNumber) == platform::kSerialInUse;
    if (busy && !busyReported) {
        const std::u16string reason =
            platform::DescribeSerialError(platform::kSerialInUse, ports.DevicePath(portNumber));
        std::fprintf(stderr, "veltro-cli: %s; waiting for it to be free\n", platform::WideToUtf8(reason).c_str());
    }
    busyReported = busy;
}
