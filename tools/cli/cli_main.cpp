// veltro-cli: Veltro without windows, for logger boxes, test rigs and scripts.
#include <cstdio>
#include <memory>

#include "tools/cli/cli_options.h"
#include "tools/cli/dump_table.h"
#include "tools/cli/headless_host.h"
#include "tools/cli/live_connection.h"
#include "tools/cli/message_counts.h"
#include "tools/cli/monitor_lines.h"
#include "tools/cli/receiver_commands.h"
#include "tools/cli/simulator_process.h"
#include "tools/common/stop_signal.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& text) {
    std::fprintf(stderr, "veltro-cli: %s\n", text.c_str());
    return kFailed;
}

// monitor and record: lines per epoch until interrupted; record also writes the stream.
int RunLive(const CliOptions& options, CStopSignal& stop) {
    CHeadlessHost host;
    std::vector<ReceiverCommand> commands;
    std::string badName;
    if (!BuildReceiverCommands(host.Document(), options.send, commands, badName)) {
        std::fprintf(stderr, "veltro-cli: no such message or command: %s\n", badName.c_str());
        return kUsageError;
    }
    CSimulatorProcess simulator;
    std::string error;
    if (options.connection.simulate && !simulator.Start(error)) return Fail(error);
    const std::string& devicePath =
        options.connection.simulate ? simulator.DevicePath() : options.connection.devicePath;
    CMonitorLines lines(host.Document(), stdout);
    CLiveConnection connection(host, options.connection, devicePath);
    if (!connection.Open(error)) return Fail(error);
    if (options.command == CliCommand::Record && !host.Core().RecordTo(options.file)) return kFailed;
    connection.Send(commands);
    connection.Run(stop);
    host.Log().CloseFile();
    return 0;
}

int RunDump(const CliOptions& options, CStopSignal& stop) {
    CHeadlessHost host;
    std::vector<CValueColumn> columns;
    std::string unknown;
    const auto& names = options.values.empty() ? CDumpTable::kDefaultValues : options.values;
    if (!CDumpTable::ResolveColumns(host.Document().Database(), names, columns, unknown)) {
        std::fprintf(stderr, "veltro-cli: no value is named \"%s\"; the values are:\n", unknown.c_str());
        for (const std::string& name : CDumpTable::ValueNames(host.Document().Database()))
            std::fprintf(stderr, "  %s\n", name.c_str());
        return kUsageError;
    }
    if (!host.OpenLog(options.file)) return kFailed;
    CDumpTable table(host.Document(), std::move(columns), options.format, stdout);
    host.Replay(stop);
    table.Finish();
    return 0;
}

int RunMessages(const CliOptions& options, CStopSignal& stop) {
    CHeadlessHost host;
    if (!host.OpenLog(options.file)) return kFailed;
    CMessageCounts counts(host.Document());
    host.Replay(stop);
    counts.Print(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CliOptions options;
    std::string error;
    if (!ParseCliOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "veltro-cli: %s\n%s", error.c_str(), CliUsage());
        return kUsageError;
    }
    CStopSignal& stop = CStopSignal::Install();
    switch (options.command) {
        case CliCommand::Help:
            std::fputs(CliUsage(), stdout);
            return 0;
        case CliCommand::Monitor:
        case CliCommand::Record:
            return RunLive(options, stop);
        case CliCommand::Dump:
            return RunDump(options, stop);
        case CliCommand::Messages:
            return RunMessages(options, stop);
    }
    return kUsageError;
}
