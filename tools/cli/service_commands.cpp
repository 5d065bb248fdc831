#include "service_commands.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/core/connection/port_thread.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/log_file.h"
#include "host/services/aidwell_online_form.h"
#include "host/services/aidwell_settings.h"
#include "host/services/aidwell_worker.h"
#include "host/services/diagnostic_outputs.h"
#include "host/services/logger_retrieval.h"
#include "host/services/orbitpack_source.h"
#include "host/services/orbitpack_update.h"
#include "host/services/worker_run.h"
#include "platform/file_profile.h"
#include "platform/text.h"
#include "platform/ticks.h"
#include "resources/veltro/dialogs.h"
#include "resources/veltro/program_resources.h"
#include "shared/entry_ids.h"
#include "shared/memory_page.h"
#include "shared/storage_values.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/live_session.h"
#include "tools/cli/procedure_session.h"
#include "tools/cli/progress_lines.h"
#include "tools/common/stop_signal.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
// How long --use-current waits for the receiver's first position.
constexpr auto kPositionWait = std::chrono::seconds(10);

// A live session whose message loop also ends when until answers true.
class CServiceSession {
public:
    CServiceSession(const CliOptions& options, CStopSignal& stop)
        : session(options.connection, [this, &stop] { return stop.Requested() || (until && until()); }) {}

    // The program and the open port.
    bool Start() { return session.Start() && session.CheckLink(); }
    CLiveSession& Live() { return session; }
    // Runs the message loop until done answers true or a stop is requested.
    void RunUntil(std::function<bool()> done) {
        until = std::move(done);
        session.Frame().RunMessageLoop();
        until = nullptr;
    }

    // The worker behind lines on the standard output, the frame's loop handling its hand-offs.
    int RunWorker(const WorkerProcedure& procedure) {
        CProgressLines lines(stdout);
        CWorkerRun run(session.Frame().Logic().Window(), lines);
        session.Frame().AttachWindow(run.ProgressWindow());
        if (run.Start(procedure)) RunUntil([&run] { return !run.IsRunning(); });
        run.Cancel();
        session.Frame().AttachWindow(nullptr);
        return run.ExitCode() == kWorkerDone ? 0 : kFailed;
    }

private:
    std::function<bool()> until;
    CLiveSession session;
};

bool HasPosition(const CStorageDatabase& database) {
    const auto* latitude = database.FindAs<CStorageValue>(entry::kLatitude);
    return latitude && !std::isnan(latitude->GetValue());
}

void Type(CMemoryPage& page, int id, const std::optional<std::string>& text) {
    if (text) page.TypeText(id, platform::Utf8ToWide(*text));
}

// The command line typed into the dialog's page over the stored settings, as a user would.
void FillPage(CMemoryPage& page, const CliOptions& options) {
    const AidOptions& aid = options.aid;
    page.TypeText(dialog::kAidwellServer, platform::Utf8ToWide(aid.server));
    Type(page, dialog::kAidwellPort, aid.port);
    Type(page, dialog::kAidwellRequest, aid.command);
    Type(page, dialog::kAidwellUser, aid.user);
    Type(page, dialog::kAidwellPassword, aid.password);
    Type(page, dialog::kAidwellLatitude, aid.latitude);
    Type(page, dialog::kAidwellLongitude, aid.longitude);
    Type(page, dialog::kAidwellAltitude, aid.altitude);
    Type(page, dialog::kAidwellAccuracy, aid.accuracy);
    if (options.reset) page.ChooseItem(dialog::kAidwellReset, static_cast<int>(*options.reset));
}

}  // namespace

int RunProcedure(const CliOptions& options, CStopSignal& stop, const ProcedureFactory& make, std::FILE* out,
                 const ProcedureFinish& finish) {
    std::unique_ptr<CProcedureSession> session;
    const auto ended = [&] {
        if (!session) return false;
        if (!stop.Requested()) return session->Step(platform::GetTickCount());
        session->Abort(platform::GetTickCount());
        return true;
    };
    CLiveSession live(options.connection, [&] { return std::ferror(out) || ended(); }, options.document);
    if (!live.Start() || !live.CheckLink()) return kFailed;
    CCliApp& cli = live.Cli();
    CMainFrameLogic& logic = live.Frame().Logic();
    const CPortThread& port = cli.App().PortThread();
    session = std::make_unique<CProcedureSession>(
        cli.Document(), [&port] { return port.IsOpen(); },
        [&logic](const uint8_t* bytes, int length) { return logic.SendToReceiver(nullptr, bytes, length); }, out);
    std::unique_ptr<IReceiverProcedure> procedure = make(cli, session->Site());
    IReceiverProcedure& running = *procedure;
    session->Run(std::move(procedure));
    live.Frame().RunMessageLoop();
    int status = session->ExitStatus();
    if (finish && status == 0) status = finish(cli, running);
    // The session watches the document, which ends with the live session.
    session.reset();
    return status;
}

int RunReset(const CliOptions& options, CStopSignal& stop) {
    CServiceSession session(options, stop);
    if (!session.Start()) return kFailed;
    return SendReset(session.Live().Frame().Logic(), *options.reset) ? 0 : kFailed;
}

int RunDebugMessages(const CliOptions& options, CStopSignal& stop) {
    CServiceSession session(options, stop);
    if (!session.Start()) return kFailed;
    return session.RunWorker(DiagnosticOutputsWorker);
}

int RunAid(const CliOptions& options, CStopSignal& stop) {
    CServiceSession session(options, stop);
    if (!session.Start()) return kFailed;
    CCliApp& cli = session.Live().Cli();
    CMemoryPage page(*kProgramResources.FindDialog(dialog::kAidwellOnline));
    CAidwellOnlineForm form(page);
    AidwellRequest request = LoadAidwellSettings(cli.App().Profile());
    form.Initialise(request);
    FillPage(page, options);
    if (options.aid.useCurrent) {
        const CStorageDatabase& database = cli.Document().Database();
        const auto deadline = std::chrono::steady_clock::now() + kPositionWait;
        session.RunUntil([&] { return HasPosition(database) || std::chrono::steady_clock::now() > deadline; });
        if (!HasPosition(database)) {
            std::fprintf(stderr, "veltro-cli: the receiver reports no position\n");
            return kFailed;
        }
        form.UseCurrent(database);
    }
    if (form.Read(request) != 0) {
        std::fprintf(stderr, "veltro-cli: the port must be 1 to 65535\n");
        return kUsageError;
    }
    return session.RunWorker([&request](CWorkerContext& context) { return AidwellWorker(context, request); });
}

// The source as the prompt takes it, the list's items through the stored download folder; the
// settings stay as they are.
int RunOrbitpack(const CliOptions& options, CStopSignal& stop) {
    return RunProcedure(options, stop, [&options](CCliApp& cli, IProcedureSite& site) {
        const OrbitpackSettings settings = LoadOrbitpackSettings(cli.App().Profile());
        return std::make_unique<COrbitpackUpdate>(
            site, ResolveOrbitpackSource(platform::Utf8ToWide(options.source), settings.linkPrefix));
    }, stdout);
}

// The file is created before the receiver is asked anything, as the view's save dialog does.
int RunLogger(const CliOptions& options, CStopSignal& stop) {
    auto file = std::make_unique<CLogFile>();
    if (!file->Open(options.file, LogOpenMode::Record)) {
        std::fprintf(stderr, "veltro-cli: cannot create %s: %s\n", options.file.c_str(),
                     std::strerror(file->LastError()));
        return kFailed;
    }
    return RunProcedure(options, stop, [&file](CCliApp&, IProcedureSite& site) {
        return std::make_unique<CLoggerRetrieval>(site, std::move(file));
    }, stdout);
}
