#include "simulated_receiver.h"

#include <sys/prctl.h>

#include <QCoreApplication>
#include <csignal>

namespace {
constexpr int kStartTimeoutMs = 5000;
constexpr int kEndTimeoutMs = 2000;
}  // namespace

CSimulatedReceiver::~CSimulatedReceiver() {
    if (process.state() == QProcess::NotRunning) return;
    process.terminate();
    if (!process.waitForFinished(kEndTimeoutMs)) process.kill();
    process.waitForFinished(kEndTimeoutMs);
}

bool CSimulatedReceiver::Start(int rateHz, std::string& error) {
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/veltro-sim");
    process.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, {QStringLiteral("--output"), QStringLiteral("pty"), QStringLiteral("--rate"),
                            QString::number(rateHz)});
    // The simulator's first line names the far end of its terminal.
    while (!process.canReadLine() && process.waitForReadyRead(kStartTimeoutMs)) {
    }
    devicePath = process.readLine().trimmed().toStdString();
    if (devicePath.empty()) error = "the simulated receiver did not start: " + program.toStdString();
    return !devicePath.empty();
}
