#include "connection_settings.h"

#include <algorithm>

#include "platform/profile.h"
#include "platform/serial_device.h"

namespace {

constexpr char16_t kSection[] = u"Settings";

}  // namespace

ConnectionSettings ConnectionSettings::Load(const platform::CProfile& profile) {
    ConnectionSettings settings;
    const int port = profile.GetInt(kSection, u"Port", settings.port);
    if (port >= 1 && port <= kMaxPorts) settings.port = port;
    settings.doConnect = profile.GetInt(kSection, u"DoConnect", 1) != 0;
    settings.autoConnect = profile.GetInt(kSection, u"AutoConnect", 0) != 0;
    settings.enumPorts = profile.GetInt(kSection, u"EnumPorts", 0) != 0;
    settings.maxPorts = std::clamp(profile.GetInt(kSection, u"MaxPorts", kMaxPorts), 1, kMaxPorts);
    // A rate the line cannot take would make every later open fail.
    const int baudRate = profile.GetInt(kSection, u"BaudRate", static_cast<int>(settings.baudRate));
    if (baudRate > 0 && platform::IsSupportedBaudRate(static_cast<uint32_t>(baudRate)))
        settings.baudRate = static_cast<uint32_t>(baudRate);
    settings.autobaud = profile.GetInt(kSection, u"Autobaud", 0) != 0;
    return settings;
}

void ConnectionSettings::Save(platform::CProfile& profile, int openPort, uint32_t portBaudRate) const {
    profile.WriteInt(kSection, u"Port", openPort > 0 ? openPort : port);
    profile.WriteInt(kSection, u"DoConnect", doConnect || (openPort > 0 && autoConnect) ? 1 : 0);
    profile.WriteInt(kSection, u"AutoConnect", autoConnect ? 1 : 0);
    profile.WriteInt(kSection, u"EnumPorts", enumPorts ? 1 : 0);
    profile.WriteInt(kSection, u"MaxPorts", maxPorts);
    profile.WriteInt(kSection, u"BaudRate", static_cast<int>(portBaudRate));
    profile.WriteInt(kSection, u"Autobaud", autobaud ? 1 : 0);
}
