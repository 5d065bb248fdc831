// veltro-cli: Veltro without windows, for logger boxes, test rigs and scripts.
#include <cstdio>
#include <filesystem>
#include <memory>

#include "host/core/app/app_identity.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/log_file_name.h"
#include "host/core/log/stream_file_thread.h"
#include "host/core/messages/memory_form_site.h"
#include "host/core/messages/message_form.h"
#include "host/core/messages/message_list.h"
#include "host/core/messages/page_template.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "shared/memory_page.h"
#include "tools/cli/cli_app.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/config_commands.h"
#include "tools/cli/dump_table.h"
#include "tools/cli/live_session.h"
#include "tools/cli/message_counts.h"
#include "tools/cli/monitor_lines.h"
#include "tools/cli/page_text.h"
#include "tools/cli/receiver_commands.h"
#include "tools/cli/send_session.h"
#include "tools/cli/service_commands.h"
#include "tools/common/stop_signal.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

int Fail(const std::string& text) {
    std::fprintf(stderr, "veltro-cli: %s\n", text.c_str());
    return kFailed;
}

// A reader that closed the standard output (`| head`) ends the command as a stop request does.
bool StopOrOutputClosed(const CStopSignal& stop) { return stop.Requested() || std::ferror(stdout); }

// A new log among the user's logs, named after the port and the time as the window proposes.
std::string NewLogPath(int port) {
    const std::filesystem::path folder = std::filesystem::path(platform::DataHomeFolder()) / "veltro" / "logs";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return (folder / (platform::WideToUtf8(ProposeLogFileName(port)) + ".kvb")).string();
}

// monitor and record: lines per epoch until interrupted; record also writes the stream, and ends
// with status 1 as soon as the recording stopped by itself (a full disk).
int RunLive(const CliOptions& options, CStopSignal& stop) {
    const CStreamFileThread* recording = nullptr;
    const auto recordingEnded = [&] { return recording && recording->State() != LogState::Recording; };
    CLiveSession session(options.connection, [&] { return StopOrOutputClosed(stop) || recordingEnded(); });
    if (!session.Start()) return kFailed;
    CCliApp& cli = session.Cli();
    std::vector<ReceiverCommand> commands;
    std::string badName;
    if (!BuildReceiverCommands(cli.Document(), options.send, commands, badName)) {
        std::fprintf(stderr, "veltro-cli: no such message or command: %s\n", badName.c_str());
        return kUsageError;
    }
    if (!session.CheckLink()) return kFailed;
    CHeadlessFrame& frame = session.Frame();
    CMonitorLines lines(cli.Document(), stdout);
    if (options.command == CliCommand::Record) {
        const std::string file = options.file.empty() ? NewLogPath(cli.App().PortThread().CurrentPort()) : options.file;
        if (!frame.Logic().RecordTo(file)) return kFailed;
        if (options.file.empty()) std::fprintf(stderr, "veltro-cli: recording to %s\n", file.c_str());
        recording = &cli.App().Log();
    }
    for (const ReceiverCommand& command : commands)
        frame.Logic().SendToReceiver(command.node, command.bytes.data(), static_cast<int>(command.bytes.size()));
    frame.RunMessageLoop();
    const bool failed = recordingEnded();
    cli.App().Log().CloseFile();
    return failed ? kFailed : 0;
}

bool OpenLog(CCliApp& cli, const std::string& file) { return cli.Frame().Logic().OpenDocumentFile(file, true); }

int RunDump(const CliOptions& options, CStopSignal& stop) {
    CCliApp cli([&stop] { return StopOrOutputClosed(stop); }, std::nullopt, options.document);
    if (!cli.Start()) return kFailed;
    std::vector<CValueColumn> columns;
    std::string unknown;
    const auto& names = options.values.empty() ? CEpochExport::kDefaultValues : options.values;
    if (!CEpochExport::ResolveColumns(cli.Document().Database(), names, columns, unknown)) {
        std::fprintf(stderr, "veltro-cli: no value is named \"%s\"; the values are:\n", unknown.c_str());
        for (const std::string& name : CEpochExport::ValueNames(cli.Document().Database()))
            std::fprintf(stderr, "  %s\n", name.c_str());
        return kUsageError;
    }
    if (!OpenLog(cli, options.file)) return kFailed;
    CDumpTable table(cli.Document(), std::move(columns), options.format, stdout);
    cli.Frame().ReplayToEnd();
    return table.Finish() ? 0 : kFailed;
}

int RunMessages(const CliOptions& options, CStopSignal& stop) {
    CCliApp cli([&stop] { return StopOrOutputClosed(stop); }, std::nullopt, options.document);
    if (!cli.Start()) return kFailed;
    if (!OpenLog(cli, options.file)) return kFailed;
    CMessageCounts counts(cli.Document());
    cli.Frame().ReplayToEnd();
    counts.Print(stdout);
    return 0;
}

// A message named on the command line takes part in the stream even when its group is not one the
// program shows by default (the odometer, the logger, the engineering messages).
CMessageNode* FindNamedMessage(CVeltroDoc& document, const std::string& name) {
    CMessageNode* node = FindMessageByName(document, platform::Utf8ToWide(name));
    if (node) MessageMask |= node->OwnMask();
    return node;
}

int UnknownMessage(CCliApp& cli, const std::string& name) {
    std::fprintf(stderr, "veltro-cli: no message is named \"%s\"; the messages are:\n", name.c_str());
    for (const std::u16string& known : MessageNames(cli.Document()))
        std::fprintf(stderr, "  %s\n", platform::WideToUtf8(known).c_str());
    return kUsageError;
}

// The page of one message filled with its last copy in the log, as text.
int RunShow(const CliOptions& options, CStopSignal& stop) {
    CCliApp cli([&stop] { return StopOrOutputClosed(stop); }, std::nullopt, options.document);
    if (!cli.Start()) return kFailed;
    CMessageNode* node = FindNamedMessage(cli.Document(), options.message);
    if (!node) return UnknownMessage(cli, options.message);
    if (!OpenLog(cli, options.file)) return kFailed;
    cli.Frame().ReplayToEnd();
    if (node->FrameLength() == 0) return Fail("the log holds no " + options.message);
    const DialogTemplate* page = PageTemplateOf(*node);
    if (!page) return Fail(options.message + " has no page");
    CMemoryPage memoryPage(*page);
    node->InitPage(memoryPage);
    node->ShowData(memoryPage, node->FrameBytes(), node->FrameLength());
    std::fputs(PageText(memoryPage, *page).c_str(), stdout);
    return 0;
}

std::string Utf8(const std::u16string& text) { return platform::WideToUtf8(text); }

// The frame a page builds once its controls are set as the command line says, as the message
// view would send it.
int RunBuild(const CliOptions& options, CStopSignal& stop) {
    CCliApp cli([&stop] { return StopOrOutputClosed(stop); }, std::nullopt, options.document);
    if (!cli.Start()) return kFailed;
    CMessageNode* node = FindNamedMessage(cli.Document(), options.message);
    if (!node) return UnknownMessage(cli, options.message);
    if (!options.file.empty()) {
        if (!OpenLog(cli, options.file)) return kFailed;
        cli.Frame().ReplayToEnd();
    }
    CMemoryFormSite site(
        nullptr, [](const std::u16string& text) { std::fprintf(stderr, "veltro-cli: %s\n", Utf8(text).c_str()); });
    CMessageForm form(cli.Document(), site);
    form.Select(node, false);
    CMemoryPage* page = site.Page();
    const DialogTemplate* dialog = PageTemplateOf(*node);
    if (!page || !dialog) return Fail(options.message + " has no page");
    std::string refusal;
    const AssignResult result = AssignAll(*page, *dialog, options.assignments, refusal);
    if (result != AssignResult::Done) {
        Fail(refusal);
        return result == AssignResult::UnknownControl ? kUsageError : kFailed;
    }
    form.OnTimer(platform::GetTickCount());
    if (const int rejected = form.RejectedControl())
        return Fail(Utf8(ControlLabel(*dialog, rejected)) + " is not valid");
    if (!form.SendValid()) return Fail(options.message + " builds no frame from its page");
    std::string hex;
    for (const uint8_t byte : form.Bytes()) hex += platform::FormatC(hex.empty() ? "%02X" : " %02X", byte);
    std::puts(hex.c_str());
    return 0;
}

// send: the message view's round trip with the receiver, its page printed as show prints it.
int RunSend(const CliOptions& options, CStopSignal& stop) {
    std::unique_ptr<CSendSession> session;
    CLiveSession live(
        options.connection,
        [&] { return StopOrOutputClosed(stop) || (session && session->Step(platform::GetTickCount())); },
        options.document);
    if (!live.Start()) return kFailed;
    CMessageNode* node = FindNamedMessage(live.Cli().Document(), options.message);
    if (!node) return UnknownMessage(live.Cli(), options.message);
    if (!live.CheckLink()) return kFailed;
    CMainFrameLogic& logic = live.Frame().Logic();
    session = std::make_unique<CSendSession>(live.Cli().Document(), *node, options.assignments,
                                             [&logic](CMessageNode* sender, const uint8_t* bytes, int length) {
                                                 return logic.SendToReceiver(sender, bytes, length);
                                             });
    live.Frame().RunMessageLoop();
    if (!session->Error().empty()) std::fprintf(stderr, "veltro-cli: %s\n", session->Error().c_str());
    std::fputs(session->PageText().c_str(), stdout);
    const int status = stop.Requested() && session->PageText().empty() ? kFailed : session->ExitStatus();
    // The session watches the document, which ends with the live session.
    session.reset();
    return status;
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
        case CliCommand::Version:
            std::printf("veltro-cli %s\n", platform::WideToUtf8(kAppVersion).c_str());
            return 0;
        case CliCommand::Monitor:
        case CliCommand::Record:
            return RunLive(options, stop);
        case CliCommand::Dump:
            return RunDump(options, stop);
        case CliCommand::Messages:
            return RunMessages(options, stop);
        case CliCommand::Show:
            return RunShow(options, stop);
        case CliCommand::Build:
            return RunBuild(options, stop);
        case CliCommand::Reset:
            return RunReset(options, stop);
        case CliCommand::DebugMessages:
            return RunDebugMessages(options, stop);
        case CliCommand::Aid:
            return RunAid(options, stop);
        case CliCommand::Send:
            return RunSend(options, stop);
        case CliCommand::Orbitpack:
            return RunOrbitpack(options, stop);
        case CliCommand::Logger:
            return RunLogger(options, stop);
        case CliCommand::ConfigSave:
            return RunConfigSave(options, stop);
        case CliCommand::ConfigLoad:
            return RunConfigLoad(options, stop);
        case CliCommand::ConfigDiff:
            return RunConfigDiff(options, stop);
    }
    return kUsageError;
}
