#include "stop_signal.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace {
CStopSignal* installed = nullptr;
}

CStopSignal& CStopSignal::Install() {
    static CStopSignal instance;
    return instance;
}

CStopSignal::CStopSignal() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
        pipeRead = fds[0];
        pipeWrite = fds[1];
    }
    installed = this;
    struct sigaction action {};
    action.sa_handler = &CStopSignal::OnSignal;
    sigemptyset(&action.sa_mask);
    // A closed terminal ends the tools as a polite kill does: files closed and synced.
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    // A file that reaches the size limit fails its write, which the tools report, instead of
    // killing them with the file half closed.
    signal(SIGXFSZ, SIG_IGN);
}

void CStopSignal::Request() {
    requested.store(true);
    if (pipeWrite >= 0) {
        const char byte = 1;
        (void)!write(pipeWrite, &byte, 1);
    }
}

// Only async-signal-safe work: an atomic store and a write to the pipe.
void CStopSignal::OnSignal(int) {
    if (installed) installed->Request();
}
