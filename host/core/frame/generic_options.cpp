#include "generic_options.h"

#include <algorithm>

#include "host/core/frame/main_frame_logic.h"
#include "host/core/intake/veltro_doc.h"
#include "platform/file_profile.h"
#include "platform/port_map.h"
#include "platform/text.h"

namespace {

constexpr char16_t kSection[] = u"Settings";
constexpr char16_t kCommandLineKey[] = u"CommandLine";
constexpr char16_t kDurationFormat[] = u"= %02d:%02d:%02d at 1Hz rate";

}  // namespace

int ClampHistorySize(long long epochs) {
    return static_cast<int>(std::clamp<long long>(epochs, GenericOptions::kMinHistory, GenericOptions::kMaxHistory));
}

int ClampMaxPorts(long long ports) {
    return static_cast<int>(std::clamp<long long>(ports, 1, ConnectionSettings::kMaxPorts));
}

std::u16string HistoryDurationText(int epochs) {
    const int hours = epochs / 3600;
    const int minutes = (epochs - hours * 3600) / 60;
    return platform::FormatW(kDurationFormat, hours, minutes, epochs % 60);
}

GenericOptions GenericOptions::Read(CMainFrameLogic& frame) {
    const FrameParts& parts = frame.Parts();
    const ConnectionSettings& settings = frame.Connection().Settings();
    GenericOptions options;
    options.autoConnect = settings.autoConnect;
    options.enumPorts = settings.enumPorts;
    options.maxPorts = ClampMaxPorts(settings.maxPorts);
    options.historySize = ClampHistorySize(static_cast<long long>(parts.document.History().Capacity()));
    options.commandLine =
        platform::Utf8ToWide(platform::ReadBoundedText(parts.profile, kSection, kCommandLineKey, kMaxCommandLine));
    for (int n = 1; n <= ConnectionSettings::kMaxPorts; ++n) options.portDevices[n] = parts.ports.Mapping(n);
    return options;
}

void GenericOptions::Apply(CMainFrameLogic& frame) const {
    const FrameParts& parts = frame.Parts();
    parts.document.ResizeHistory(static_cast<size_t>(ClampHistorySize(historySize)));
    ConnectionSettings& settings = frame.Connection().Settings();
    settings.autoConnect = autoConnect;
    settings.enumPorts = enumPorts;
    settings.maxPorts = ClampMaxPorts(maxPorts);
    platform::CFileProfile::CWriteBatch batch(parts.profile);
    parts.profile.WriteString(kSection, kCommandLineKey, commandLine);
    for (int n = 1; n <= ConnectionSettings::kMaxPorts; ++n)
        platform::CPortMap::WriteMapping(parts.profile, n, portDevices[n]);
}
