#include "cli_app.h"

namespace {
constexpr char kProgramName[] = "veltro-cli";

RunConnection NoConnection() {
    RunConnection none;
    none.settings.doConnect = false;
    return none;
}
}  // namespace

CCliApp::CCliApp(std::function<bool()> stopRequested, std::optional<RunConnection> connection)
    : frames(std::move(stopRequested), kProgramName), app(Options(std::move(connection)), frames) {}

AppOptions CCliApp::Options(std::optional<RunConnection> connection) {
    AppOptions options;
    options.programName = kProgramName;
    options.readStoredCommandLine = false;
    options.saveSettings = false;
    options.runConnection = connection ? std::move(connection) : NoConnection();
    return options;
}
