#pragma once
#include <atomic>

// Ctrl-C (SIGINT), SIGTERM and SIGHUP turned into a flag and a descriptor that a poll loop can wait on,
// so that the tools end their loops, finish their files and exit cleanly.
class CStopSignal {
public:
    // Installs the handlers once per process; SIGPIPE is ignored so that a closed reader shows
    // up as a failed write instead of killing the process.
    static CStopSignal& Install();

    bool Requested() const { return requested.load(); }
    // Readable once a stop was requested.
    int WaitDescriptor() const { return pipeRead; }
    // The same as a signal, for code that decides to stop by itself.
    void Request();

private:
    CStopSignal();
    static void OnSignal(int);

    std::atomic<bool> requested{false};
    int pipeRead = -1;
    int pipeWrite = -1;
};
