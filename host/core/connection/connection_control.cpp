#include "connection_control.h"

#include "platform/serial_probe.h"
#include "platform/text.h"

using platform::SerialError;

namespace {

// Errors that still mean a device is there, just not usable by this program right now.
bool DeviceIsPresent(SerialError error) {
    return error == platform::kSerialOk || error == platform::kSerialAccessDenied ||
           error == platform::kSerialNotFunctioning || error == platform::kSerialInUse;
}

}  // namespace

std::u16string PortMenuText(const PortListEntry& entry) {
    std::u16string text = platform::FormatW(u"COM%d", entry.number);
    if (!entry.devicePath.empty()) text += u" " + platform::Utf8ToWide(platform::StableDeviceName(entry.devicePath));
    return text;
}

CConnectionControl::CConnectionControl(const ConnectionSettings& settings, CPortThread& port, platform::CPortMap& ports)
    : settings(settings), port(port), ports(ports) {}

void CConnectionControl::Start() {
    port.SetBaud(settings.baudRate);
    CheckPort();
}

void CConnectionControl::OnWatchdogTimer() {
    if (settings.autoConnect) CheckPort();
}

void CConnectionControl::CheckPort() {
    const int open = port.CurrentPort();
    if (open == 0) {
        if (settings.doConnect && port.ProbePort(settings.port) == platform::kSerialOk) port.SetPort(settings.port);
        return;
    }
    if (DeviceIsPresent(port.ProbePort(open))) return;
    settings.port = open;
    settings.doConnect = true;
    port.SetPort(0);
}

void CConnectionControl::OnPortRead(uint32_t bytesRead, uint32_t errorBits) {
    if (settings.autobaud) autobaud.OnPortRead(bytesRead, errorBits, port);
}

void CConnectionControl::ToggleConnection() {
    if (!port.IsOpen()) {
        port.SetPort(settings.port);
        return;
    }
    settings.doConnect = false;
    settings.port = port.CurrentPort();
    port.SetPort(0);
}

void CConnectionControl::SelectPort(int n) {
    if (n == port.CurrentPort()) return;
    if (n == 0) {
        settings.port = port.CurrentPort();
        settings.doConnect = false;
    }
    port.SetPort(n);
}

bool CConnectionControl::SelectBaudCommand(unsigned command) {
    const uint32_t rate = BaudRateOfCommand(command);
    return rate != 0 && port.SetBaud(rate);
}

std::vector<PortListEntry> CConnectionControl::ListPorts() {
    std::vector<PortListEntry> list;
    for (int n = 1; n <= settings.maxPorts; ++n) {
        std::string devicePath = ports.DevicePath(n);
        if (!settings.enumPorts) {
            list.push_back({n, false, std::move(devicePath)});
            continue;
        }
        if (devicePath.empty()) continue;
        const SerialError error = port.ProbePort(n);
        if (error == platform::kSerialNotFound || error == platform::kSerialNotFunctioning) continue;
        list.push_back({n, error == platform::kSerialInUse, std::move(devicePath)});
    }
    return list;
}

void CConnectionControl::Save(platform::CProfile& profile) const {
    settings.Save(profile, port.CurrentPort(), port.BaudRate());
}
