#pragma once
#include <map>
#include <optional>
#include <vector>

#include "host/views/command_state.h"

class CConnectionControl;
class CPortThread;
class CStreamFileThread;

// The Rx menu's port, rate and autobauding commands and the connection indicator's button.
class CConnectionCommands {
public:
    CConnectionCommands(CConnectionControl& connection, CPortThread& port, const CStreamFileThread& log);

    // Empty for a command that is not one of these.
    std::optional<CommandState> Query(unsigned command) const;
    // False for a command that is not one of these.
    bool Execute(unsigned command);

    // The port menu's entries, listed anew.
    std::vector<CommandListItem> PortItems();
    // The receiver can be sent to: a port is open and no log is being replayed.
    bool CanSend() const;

private:
    std::optional<int> PortOf(unsigned command) const;

    CConnectionControl& connection;
    CPortThread& port;
    const CStreamFileThread& log;
    // Which ports the last listing found held by another program.
    std::map<int, bool> busyPorts;
};
