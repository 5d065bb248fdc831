#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/core/export/epoch_export.h"
#include "host/services/receiver_commands.h"
#include "tools/cli/control_assignments.h"

enum class CliCommand {
    Help,
    Version,
    Monitor,
    Record,
    Dump,
    Messages,
    Show,
    Build,
    Send,
    Reset,
    DebugMessages,
    Aid,
    Orbitpack,
    Logger,
    ConfigSave,
    ConfigLoad,
    ConfigDiff
};

// Which receiver to talk to: a port number (COM1 … COM9 through the port map) or a device path
// (a serial device, or tcp://HOST:PORT for a receiver on the network), or a simulated receiver started for the purpose.
struct ConnectionOptions {
    int portNumber = 1;
    std::string devicePath;
    bool simulate = false;
    uint32_t baudRate = 57600;
    bool autobaud = false;
};

// Messages for the receiver, sent once the port is open: polls and output switches, each naming
// a message as the message tree does ("NAV-SOL", "GPGSV", "MON-VER").
struct SendOptions {
    std::vector<std::string> polls;
    std::vector<std::string> enable;
    std::vector<std::string> disable;
};

// The request to Aidwell Online, each field as typed; what is not given is the stored setting's.
struct AidOptions {
    std::string server;
    std::optional<std::string> port;
    std::optional<std::string> command;
    std::optional<std::string> user;
    std::optional<std::string> password;
    std::optional<std::string> latitude;
    std::optional<std::string> longitude;
    std::optional<std::string> altitude;
    std::optional<std::string> accuracy;
    // The reference position from the receiver's own fix, as the dialog's "Use Current".
    bool useCurrent = false;
};

// How a command makes its document: which plug-ins it loads, and how many epochs it keeps.
struct DocumentOptions {
    // Empty: the program's own folder.
    std::string folder;
    // The extended pages and choices.
    bool extended = false;
    // monitor, record: the epochs of history (none: the window's 900).
    std::optional<int> historyEpochs;
};

// config: load --save ends with CFG-CFG "Save current configuration"; diff compares two sides,
// each a saved file or the receiver the connection options name.
struct ConfigOptions {
    bool save = false;
    std::vector<std::string> files;
    // Which side is the receiver: 0 the first, 1 the second, -1 neither.
    int receiverSide = -1;
};

struct CliOptions {
    CliCommand command = CliCommand::Help;
    // The log to record to (empty: a new one among the user's logs), or to replay (build: --from,
    // optional); logger, config save and load: the file written or read.
    std::string file;
    ConnectionOptions connection;
    SendOptions send;
    // Empty: the default columns.
    std::vector<std::string> values;
    ExportFormat format = ExportFormat::Csv;
    // show, build: the message whose page is shown, as the catalogues name it.
    std::string message;
    // build: CONTROL=VALUE, in order.
    std::vector<ControlAssignment> assignments;
    DocumentOptions document;
    // reset: the start; aid: the reset before the request (none: the stored setting's).
    std::optional<ResetKind> reset;
    AidOptions aid;
    // orbitpack: an item of the source prompt's list, a link or a file.
    std::string source;
    ConfigOptions config;
};

// False, with the reason, for an unknown command or option, a missing or invalid value.
bool ParseCliOptions(int argc, const char* const* argv, CliOptions& options, std::string& error);
const char* CliUsage();
