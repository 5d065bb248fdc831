#pragma once
#include <functional>
#include <memory>
#include <optional>

#include "host/core/app/simulator_process.h"
#include "tools/cli/cli_app.h"
#include "tools/cli/cli_options.h"
#include "tools/cli/link_report.h"

// The receiver of a live command and the program connected to it: the simulator when asked for
// one, the port the command line names (its watchdog reopens it after the device went away),
// and the link's troubles told on the standard error stream.
class CLiveSession {
public:
    // The frame's message loop ends as soon as stopRequested answers true.
    CLiveSession(const ConnectionOptions& options, std::function<bool()> stopRequested,
                 const DocumentOptions& document = {});

    // The simulator and the program; false, told, when either cannot start.
    bool Start();
    // The port is open, and its link is reported from now on; false, told, when it is not.
    bool CheckLink();

    CCliApp& Cli() { return *cli; }
    CHeadlessFrame& Frame() { return cli->Frame(); }
    const RunConnection& Connection() const { return connection; }

private:
    ConnectionOptions options;
    std::function<bool()> stopRequested;
    DocumentOptions document;
    CSimulatorProcess simulator;
    RunConnection connection;
    // The program's listeners tell the link, so the program goes first.
    std::optional<CLinkReport> link;
    std::unique_ptr<CCliApp> cli;
};
