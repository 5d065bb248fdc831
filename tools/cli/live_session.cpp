#include "live_session.h"

#include <cstdio>

namespace {

// The simulated receiver's navigation rate.
constexpr int kSimulatorRateHz = 1;

RunConnection LiveConnection(const ConnectionOptions& options, const std::string& device) {
    RunConnection connection;
    connection.settings.port = device.empty() ? options.portNumber : 1;
    connection.settings.doConnect = true;
    connection.settings.autoConnect = true;
    connection.settings.baudRate = options.baudRate;
    connection.settings.autobaud = options.autobaud;
    connection.device = device;
    return connection;
}

bool Told(const std::string& error) {
    std::fprintf(stderr, "veltro-cli: %s\n", error.c_str());
    return false;
}

}  // namespace

CLiveSession::CLiveSession(const ConnectionOptions& options, std::function<bool()> stopRequested,
                           const DocumentOptions& document)
    : options(options), stopRequested(std::move(stopRequested)), document(document) {}

bool CLiveSession::Start() {
    std::string error;
    if (options.simulate && !simulator.Start(kSimulatorRateHz, error)) return Told(error);
    connection = LiveConnection(options, options.simulate ? simulator.DevicePath() : options.devicePath);
    cli = std::make_unique<CCliApp>(stopRequested, connection, document);
    return cli->Start();
}

bool CLiveSession::CheckLink() {
    CCliApp& app = *cli;
    link.emplace(app.App().PortThread(), app.App().Ports(), connection.settings.port);
    std::string error;
    if (!link->CheckOpen(error)) return Told(error);
    Frame().Logic().SetPortReadListener([this](uint32_t, uint32_t errorBits) { link->OnPortRead(errorBits); });
    Frame().SetWatchdogListener([this] { link->OnSecond(); });
    return true;
}
