#include "connection_commands.h"

#include "host/core/connection/baud_rates.h"
#include "host/core/connection/connection_control.h"
#include "host/core/connection/port_thread.h"
#include "host/core/log/stream_file_thread.h"
#include "platform/text.h"
#include "resources/veltro/command_ids.h"
#include "resources/veltro/strings.h"

namespace {

bool IsIndicator(unsigned command) {
    return command == cmd::kIndicatorReceiving || command == cmd::kIndicatorClosed || command == cmd::kIndicatorQuiet ||
           command == cmd::kIndicatorLineErrors || command == cmd::kIndicatorQuietAfterErrors;
}

// The first line of the port prompt, "Open COM%d".
std::u16string PortPrompt(int n) {
    const std::u16string format(kPortPrompt.text);
    return platform::FormatW(format.substr(0, format.find(u'\n')).c_str(), n);
}

}  // namespace

CConnectionCommands::CConnectionCommands(CConnectionControl& connection, CPortThread& port,
                                         const CStreamFileThread& log)
    : connection(connection), port(port), log(log) {}

bool CConnectionCommands::CanSend() const {
    return port.IsOpen() && (log.State() == LogState::None || log.State() == LogState::Recording);
}

std::optional<int> CConnectionCommands::PortOf(unsigned command) const {
    if (command < kDisconnectCommand || command > kDisconnectCommand + ConnectionSettings::kMaxPorts) return {};
    return static_cast<int>(command - kDisconnectCommand);
}

std::optional<CommandState> CConnectionCommands::Query(unsigned command) const {
    if (const std::optional<int> n = PortOf(command)) {
        const bool open = *n == port.CurrentPort();
        const auto busy = busyPorts.find(*n);
        return CommandState::Enabled(open || busy == busyPorts.end() || !busy->second, open);
    }
    if (command >= kFirstBaudCommand && command <= kLastBaudCommand) {
        const uint32_t rate = BaudRateOfCommand(command);
        return CommandState::Enabled(rate != 0, rate != 0 && rate == port.BaudRate());
    }
    if (command == kAutobaudCommand) return CommandState::Enabled(true, connection.Settings().autobaud);
    if (IsIndicator(command)) return CommandState::Enabled(true);
    return {};
}

bool CConnectionCommands::Execute(unsigned command) {
    if (const std::optional<int> n = PortOf(command))
        connection.SelectPort(*n);
    else if (command >= kFirstBaudCommand && command <= kLastBaudCommand)
        connection.SelectBaudCommand(command);
    else if (command == kAutobaudCommand)
        connection.ToggleAutobaud();
    else if (IsIndicator(command))
        connection.ToggleConnection();
    else
        return false;
    return true;
}

std::vector<CommandListItem> CConnectionCommands::PortItems() {
    std::vector<CommandListItem> items;
    busyPorts.clear();
    for (const PortListEntry& entry : connection.ListPorts()) {
        busyPorts[entry.number] = entry.busy;
        items.push_back(
            {kDisconnectCommand + static_cast<unsigned>(entry.number), PortMenuText(entry), PortPrompt(entry.number)});
    }
    return items;
}
