#include "cli_app.h"

namespace {
constexpr char kProgramName[] = "veltro-cli";

RunConnection NoConnection() {
    RunConnection none;
    none.settings.doConnect = false;
    return none;
}
}  // namespace

CCliApp::CCliApp(std::function<bool()> stopRequested, std::optional<RunConnection> connection,
                 const DocumentOptions& document)
    : frames(std::move(stopRequested), kProgramName), app(Options(std::move(connection), document), frames) {}

AppOptions CCliApp::Options(std::optional<RunConnection> connection, const DocumentOptions& document) {
    AppOptions options;
    if (!document.folder.empty())
        options.pluginFolder = document.folder.ends_with('/') ? document.folder : document.folder + "/";
    options.pluginFlags = document.extended ? kPluginExtendedMode : 0;
    if (document.historyEpochs) options.arguments = {"-history", std::to_string(*document.historyEpochs)};
    options.programName = kProgramName;
    options.readStoredCommandLine = false;
    options.saveSettings = false;
    options.runConnection = connection ? std::move(connection) : NoConnection();
    return options;
}
