#pragma once
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

    // Both return the process's exit status.
    int RunRealTime();
    // epochs 0: until stopped.
    int RunFlood(uint64_t epochs);

private:
    void AnswerHost();
    void NextSolution();
    void Send();

    CSimReceiver& receiver;
    CSimLink& link;
    CStopSignal& stop;
    CSimTruthLog* truthLog;
    std::vector<uint8_t> out;
    int writeTimeoutMs = 0;
    bool failed = false;
};
