#include "cli_options.h"

#include <functional>
#include <map>
#include <string_view>

#include "platform/serial_device.h"
#include "tools/common/parse_number.h"

namespace {

constexpr const char* kUsage =
    "usage: veltro-cli COMMAND [options]\n"
    "Veltro without windows: watch, record and read out a GPS receiver's stream.\n"
    "\n"
    "commands:\n"
    "  monitor               print one line per navigation epoch until interrupted (Ctrl-C)\n"
    "  record [FILE]         as monitor, and record the stream to FILE (recent traffic first);\n"
    "                        without FILE to a new log in $XDG_DATA_HOME/veltro/logs/, whose\n"
    "                        path is printed first\n"
    "  dump LOG              replay a log and print one row per navigation epoch\n"
    "  messages LOG          replay a log and count the frames of each message, by name\n"
    "  show LOG NAME         replay a log and show the page of message NAME (NAV-SOL, CFG-PRT,\n"
    "                        GPGGA, CUSTOM, ...) filled with the last copy of it\n"
    "  build NAME [CONTROL=VALUE ...]   set controls of NAME's page as a user would and print\n"
    "                        the frame it builds, as hexadecimal bytes; CONTROL is a label as\n"
    "                        show prints it, or #id\n"
    "  reset cold|warm|hot   restart the receiver\n"
    "  debug-messages        switch the receiver's diagnostic outputs on, printing each step\n"
    "  aid --server HOST[:PORT]   ask an Aidwell Online server for aiding data and forward it to\n"
    "                        the receiver, printing each step; what is not given is the stored\n"
    "                        setting's (section NetAid)\n"
    "  send NAME [CONTROL=VALUE ...]   connect, poll NAME, set its controls as build does, send\n"
    "                        it, poll it again and print its page as show does\n"
    "                        (show, build and send take in the named message even when its group\n"
    "                        is hidden by default)\n"
    "  orbitpack SOURCE      write an Orbitpack file into the receiver, printing each step;\n"
    "                        SOURCE is \"1 Day Orbitpack\" ... \"10 Days Orbitpack\" (the\n"
    "                        download folder is setting LinkPrefix of section Orbitpack), a\n"
    "                        link http://[USER:PASSWORD@]HOST[:PORT]/PATH or a file\n"
    "  logger FILE           read the receiver's data logger out into FILE, a log of one NAV-SOL\n"
    "                        message per record, printing each step\n"
    "  config save FILE      poll every setting of the receiver and save the answers to FILE, a\n"
    "                        log of frames as the message view saves one message\n"
    "  config load FILE [--save]   send every setting of FILE to the receiver, poll each back and\n"
    "                        report those that differ; --save ends with CFG-CFG \"Save current\n"
    "                        configuration\"; a file holding anything else is refused whole\n"
    "  config diff A B       print the fields that differ, message by message; A and B are saved\n"
    "                        files, or one of them --port N|PATH (the receiver now)\n"
    "\n"
    "connection (monitor, record, send, reset, debug-messages, aid, orbitpack, logger, config):\n"
    "  --port N|PATH         port COM1 … COM9, a serial device such as /dev/ttyUSB0, or\n"
    "                        tcp://HOST:PORT, a receiver behind a network serial server (default 1)\n"
    "  --baud RATE           line speed (default 57600)\n"
    "  --autobaud            find the line speed by itself\n"
    "  --simulate            start a simulated receiver (veltro-sim) and connect to it\n"
    "monitor, record:\n"
    "  --poll NAME           poll a message once connected (NAV-SOL, GPGGA, MON-VER, ...); may repeat\n"
    "  --enable NAME, --disable NAME   switch a message's periodic output on or off; may repeat\n"
    "  --history N           keep the last N epochs (default 900), as the window's -history\n"
    "\n"
    "aid:\n"
    "  --cmd full|aid|eph|alm   what to ask for\n"
    "  --user U --password P\n"
    "  --lat DEG --lon DEG --alt M --acc M   the reference position and its accuracy, or\n"
    "  --use-current         the receiver's own position (waits up to 10 s for it)\n"
    "  --reset none|cold|warm|hot   the restart before the request\n"
    "\n"
    "dump:\n"
    "  --values NAME,...     the values to print, named as the database names them (default:\n"
    "                        UTC, Nav. Mode, Lat, Lon, Alt (MSL), SoG, SVs Used, SVs Tracked, PDOP)\n"
    "  --format FORMAT       csv (default), json (one object per line), gpx (a GPX 1.1 track),\n"
    "                        kml (a time-stamped track) or geojson (a point per epoch)\n"
    "\n"
    "show, build:\n"
    "  --extended            the extended pages, with the rows and fields for the maker's tests\n"
    "build:\n"
    "  --from LOG            fill the page from the last copy of the message in LOG first\n"
    "\n"
    "dump, messages, show, build:\n"
    "  --plugins FOLDER      load the protocol plug-ins from FOLDER (default: the program's own)\n"
    "\n"
    "veltro-cli --version prints the version.\n"
    "\n"
    "exit status: 0 done, 1 a file or port could not be used (show: the log holds no copy of\n"
    "the message; debug-messages, aid, orbitpack, logger, config: the exchange did not end as it\n"
    "should; config diff: the two differ),\n"
    "2 a wrong command line or an unknown message\n";

std::vector<std::string> SplitList(std::string_view text) {
    std::vector<std::string> items;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t comma = std::min(text.find(',', start), text.size());
        if (comma > start) items.emplace_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

bool ParsePort(std::string_view text, ConnectionOptions& connection) {
    if (text.find('/') != std::string_view::npos) {
        connection.devicePath = text;
        return true;
    }
    if (text.starts_with("COM")) text.remove_prefix(3);
    return ParseNumber(text, 1, 9, connection.portNumber);
}

bool ParseCommand(std::string_view name, CliCommand& command) {
    static const std::map<std::string_view, CliCommand> kCommands = {
        {"monitor", CliCommand::Monitor},
        {"record", CliCommand::Record},
        {"dump", CliCommand::Dump},
        {"messages", CliCommand::Messages},
        {"show", CliCommand::Show},
        {"build", CliCommand::Build},
        {"reset", CliCommand::Reset},
        {"debug-messages", CliCommand::DebugMessages},
        {"aid", CliCommand::Aid},
        {"send", CliCommand::Send},
        {"orbitpack", CliCommand::Orbitpack},
        {"logger", CliCommand::Logger},
        {"config save", CliCommand::ConfigSave},
        {"config load", CliCommand::ConfigLoad},
        {"config diff", CliCommand::ConfigDiff},
        {"help", CliCommand::Help},
        {"--version", CliCommand::Version},
        {"--help", CliCommand::Help},
        {"-h", CliCommand::Help},
    };
    auto found = kCommands.find(name);
    if (found == kCommands.end()) return false;
    command = found->second;
    return true;
}

bool NeedsFile(CliCommand command) {
    return command == CliCommand::Dump || command == CliCommand::Messages || command == CliCommand::Show ||
           command == CliCommand::Logger || command == CliCommand::ConfigSave || command == CliCommand::ConfigLoad;
}

bool IsLive(CliCommand command) {
    return command == CliCommand::Monitor || command == CliCommand::Record || command == CliCommand::Send ||
           command == CliCommand::Reset || command == CliCommand::DebugMessages || command == CliCommand::Aid ||
           command == CliCommand::Orbitpack || command == CliCommand::Logger || command == CliCommand::ConfigSave ||
           command == CliCommand::ConfigLoad || command == CliCommand::ConfigDiff;
}

bool ParseReset(std::string_view name, bool allowNone, std::optional<ResetKind>& reset) {
    static const std::map<std::string_view, ResetKind> kResets = {
        {"none", ResetKind::None}, {"cold", ResetKind::Cold}, {"warm", ResetKind::Warm}, {"hot", ResetKind::Hot}};
    const auto found = kResets.find(name);
    if (found == kResets.end() || (!allowNone && found->second == ResetKind::None)) return false;
    reset = found->second;
    return true;
}

// HOST or HOST:PORT, the port 1 to 65535.
bool ParseServer(std::string_view text, AidOptions& aid) {
    const size_t colon = text.rfind(':');
    aid.server = text.substr(0, colon);
    if (colon == std::string_view::npos) return !aid.server.empty();
    uint16_t port = 0;
    aid.port = std::string(text.substr(colon + 1));
    return !aid.server.empty() && ParseNumber(std::string_view(*aid.port), uint16_t{1}, uint16_t{65535}, port);
}

bool IsNumber(std::string_view text) {
    double value = 0;
    return ParseNumber(text, -1e12, 1e12, value);
}

bool NamesMessage(CliCommand command) {
    return command == CliCommand::Show || command == CliCommand::Build || command == CliCommand::Send;
}

// Options that apply to a command, by name; each takes the value that follows it, if any.
struct Option {
    bool takesValue;
    std::function<bool(std::string_view)> apply;
};

bool ReadsLog(CliCommand command) {
    return command == CliCommand::Dump || command == CliCommand::Messages || command == CliCommand::Show ||
           command == CliCommand::Build;
}

std::map<std::string_view, Option> ConnectionOptionsOf(ConnectionOptions& connection) {
    return {
        {"--port", {true, [&c = connection](std::string_view v) { return ParsePort(v, c); }}},
        {"--baud",
         {true,
          [&c = connection](std::string_view v) {
              return ParseNumber(v, 1u, 4000000u, c.baudRate) && platform::IsSupportedBaudRate(c.baudRate);
          }}},
        {"--autobaud", {false, [&c = connection](std::string_view) { return c.autobaud = true; }}},
        {"--simulate", {false, [&c = connection](std::string_view) { return c.simulate = true; }}},
    };
}

Option Text(std::optional<std::string>& target) {
    return {true, [&target](std::string_view v) { return (target = std::string(v)).has_value(); }};
}

Option Number(std::optional<std::string>& target) {
    return {true, [&target](std::string_view v) { return IsNumber(v) && (target = std::string(v)).has_value(); }};
}

std::map<std::string_view, Option> AidOptionsOf(CliOptions& options) {
    AidOptions& aid = options.aid;
    return {
        {"--server", {true, [&aid](std::string_view v) { return ParseServer(v, aid); }}},
        {"--cmd",
         {true,
          [&aid](std::string_view v) {
              aid.command = std::string(v);
              return v == "full" || v == "aid" || v == "eph" || v == "alm";
          }}},
        {"--user", Text(aid.user)},
        {"--password", Text(aid.password)},
        {"--lat", Number(aid.latitude)},
        {"--lon", Number(aid.longitude)},
        {"--alt", Number(aid.altitude)},
        {"--acc", Number(aid.accuracy)},
        {"--use-current", {false, [&aid](std::string_view) { return aid.useCurrent = true; }}},
        {"--reset", {true, [&o = options](std::string_view v) { return ParseReset(v, true, o.reset); }}},
    };
}

std::map<std::string_view, Option> CommandOptionsOf(CliCommand command, CliOptions& options) {
    if (command == CliCommand::Aid) return AidOptionsOf(options);
    if (command == CliCommand::Monitor || command == CliCommand::Record)
        return {
            {"--poll",
             {true, [&list = options.send.polls](std::string_view v) { return !list.emplace_back(v).empty(); }}},
            {"--enable",
             {true, [&list = options.send.enable](std::string_view v) { return !list.emplace_back(v).empty(); }}},
            {"--disable",
             {true, [&list = options.send.disable](std::string_view v) { return !list.emplace_back(v).empty(); }}},
            {"--history",
             {true,
              [&epochs = options.document.historyEpochs](std::string_view v) {
                  int n = 0;
                  return ParseNumber(v, 1, 604800, n) && (epochs = n).has_value();
              }}},
        };
    if (command == CliCommand::Dump)
        return {
            {"--values", {true, [&o = options](std::string_view v) { return !(o.values = SplitList(v)).empty(); }}},
            {"--format",
             {true,
              [&o = options](std::string_view v) {
                  const std::optional<ExportFormat> format = ExportFormatNamed(v);
                  o.format = format.value_or(ExportFormat::Csv);
                  return format.has_value();
              }}},
        };
    const Option extended{false, [&p = options.document](std::string_view) { return p.extended = true; }};
    if (command == CliCommand::Show) return {{"--extended", extended}};
    if (command == CliCommand::ConfigLoad)
        return {{"--save", {false, [&c = options.config](std::string_view) { return c.save = true; }}}};
    if (command == CliCommand::Build)
        return {{"--extended", extended},
                {"--from", {true, [&o = options](std::string_view v) { return !(o.file = v).empty(); }}}};
    return {};
}

std::map<std::string_view, Option> OptionsOf(CliCommand command, CliOptions& options) {
    auto known = CommandOptionsOf(command, options);
    if (IsLive(command)) known.merge(ConnectionOptionsOf(options.connection));
    if (ReadsLog(command))
        known.insert(
            {"--plugins", {true, [&p = options.document](std::string_view v) { return !(p.folder = v).empty(); }}});
    return known;
}

bool ApplyOption(int argc, const char* const* argv, int& i, const std::map<std::string_view, Option>& known,
                 std::string& error) {
    const std::string name = argv[i];
    auto option = known.find(name);
    if (option == known.end()) {
        error = "unknown option " + name;
        return false;
    }
    if (!option->second.takesValue) return option->second.apply({});
    if (i + 1 >= argc) {
        error = "option " + name + " needs a value";
        return false;
    }
    if (option->second.apply(argv[++i])) return true;
    error = "invalid value for " + name + ": " + argv[i];
    return false;
}

// config diff: a word that is not an option names a file; the first connection option marks
// where the receiver stands among the two sides.
bool TakeDiffSide(std::string_view argument, ConfigOptions& config) {
    if (!argument.starts_with("--")) {
        config.files.emplace_back(argument);
        return true;
    }
    if ((argument == "--port" || argument == "--simulate") && config.receiverSide < 0)
        config.receiverSide = static_cast<int>(config.files.size());
    return false;
}

bool CheckDiffSides(const CliOptions& options, std::string& error) {
    if (options.command != CliCommand::ConfigDiff) return true;
    const ConfigOptions& config = options.config;
    if (config.files.size() + (config.receiverSide >= 0 ? 1 : 0) != 2)
        error = "config diff needs two sides: two files, or a file and --port";
    return error.empty();
}

bool CheckAidOptions(const CliOptions& options, std::string& error) {
    if (options.command != CliCommand::Aid) return true;
    const AidOptions& aid = options.aid;
    if (aid.server.empty()) error = "the command needs --server HOST[:PORT]";
    if (aid.useCurrent && (aid.latitude || aid.longitude || aid.altitude || aid.accuracy))
        error = "--use-current takes the place of --lat, --lon, --alt and --acc";
    return error.empty();
}

}  // namespace

bool ParseCliOptions(int argc, const char* const* argv, CliOptions& options, std::string& error) {
    if (argc < 2) return true;
    int i = 2;
    std::string name = argv[1];
    if (name == "config" && argc > 2) name += std::string(" ") + argv[i++];
    if (!ParseCommand(name, options.command)) {
        error = "unknown command " + name;
        return false;
    }
    if (NeedsFile(options.command)) {
        if (argc <= i || std::string_view(argv[i]).starts_with("--")) {
            error = "the command needs a file name";
            return false;
        }
        options.file = argv[i++];
    }
    if (options.command == CliCommand::Record && argc > i && !std::string_view(argv[i]).starts_with("--"))
        options.file = argv[i++];
    if (options.command == CliCommand::Reset) {
        if (argc <= i || !ParseReset(argv[i], false, options.reset)) {
            error = "the command needs the start: cold, warm or hot";
            return false;
        }
        ++i;
    }
    if (options.command == CliCommand::Orbitpack) {
        if (argc <= i || std::string_view(argv[i]).starts_with("--")) {
            error = "the command needs the source: an item, a link or a file";
            return false;
        }
        options.source = argv[i++];
    }
    if (NamesMessage(options.command)) {
        if (argc <= i || std::string_view(argv[i]).starts_with("--")) {
            error = "the command needs the name of a message";
            return false;
        }
        options.message = argv[i++];
    }
    if (options.command == CliCommand::Build || options.command == CliCommand::Send)
        for (; i < argc && !std::string_view(argv[i]).starts_with("--"); ++i) {
            ControlAssignment assignment;
            if (!ControlAssignment::Parse(argv[i], assignment)) {
                error = std::string("not CONTROL=VALUE: ") + argv[i];
                return false;
            }
            options.assignments.push_back(std::move(assignment));
        }
    const auto known = OptionsOf(options.command, options);
    for (; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help") {
            options.command = CliCommand::Help;
            return true;
        }
        if (options.command == CliCommand::ConfigDiff && TakeDiffSide(argv[i], options.config)) continue;
        if (!ApplyOption(argc, argv, i, known, error)) return false;
    }
    return CheckAidOptions(options, error) && CheckDiffSides(options, error);
}

const char* CliUsage() { return kUsage; }
