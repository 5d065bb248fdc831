#include "cli_app.h"

#include "tools/common/stop_signal.h"

namespace {
constexpr char kProgramName[] = "veltro-cli";

RunConnection NoConnection() {
    RunConnection none;
    none.settings.doConnect = false;
    return none;
}
}  // namespace

CCliApp::CCliApp(const CStopSignal& stop, std::optional<RunConnection> connection)
    : frames([&stop] { return stop.Requested(); }, kProgramName), app(Options(std::move(connection)), frames) {}

AppOptions CCliApp::Options(std::optional<RunConnection> connection) {
    AppOptions options;
    options.programName = kProgramName;
    options.readStoredCommandLine = false;
    options.saveSettings = false;
    options.runConnection = connection ? std::move(connection) : NoConnection();
    return options;
}
