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
                 const PluginOptions& plugins)
    : frames(std::move(stopRequested), kProgramName), app(Options(std::move(connection), plugins), frames) {}

AppOptions CCliApp::Options(std::optional<RunConnection> connection, const PluginOptions& plugins) {
    AppOptions options;
    if (!plugins.folder.empty())
        options.pluginFolder = plugins.folder.ends_with('/') ? plugins.folder : plugins.folder + "/";
    options.pluginFlags = plugins.extended ? kPluginExtendedMode : 0;
    options.programName = kProgramName;
    options.readStoredCommandLine = false;
    options.saveSettings = false;
    options.runConnection = connection ? std::move(connection) : NoConnection();
    return options;
}
