#pragma once
#include <chrono>
#include <cstdint>
#include <vector>

class CSimLink;
class CSimReceiver;
class CSimTruthLog;
class CStopSignal;

// Drives the receiver: in real time, one solution per period while answering the host at once;
// or as a flood, solutions back to back as fast as the link takes them.
class CSimRunner {
public:
    CSimRunner(CSimReceiver& receiver, CSimLink& link, CStopSignal& stop, CSimTruthLog* truthLog);

    // In real time, the terminal is unplugged this often and plugged in again a moment later.
    void ReplugEvery(std::chrono::seconds every) { replugEvery = every; }
    // Both return the process's exit status.
    int RunRealTime();
    // epochs 0: until stopped.
    int RunFlood(uint64_t epochs);

private:
    void AnswerHost();
    void NextSolution();
    void Send();
    void ChangePlug();

    CSimReceiver& receiver;
    CSimLink& link;
    CStopSignal& stop;
    CSimTruthLog* truthLog;
    std::vector<uint8_t> out;
    int writeTimeoutMs = 0;
    bool failed = false;
    std::chrono::seconds replugEvery{0};
    std::chrono::steady_clock::time_point nextPlugChange = std::chrono::steady_clock::time_point::max();
};
