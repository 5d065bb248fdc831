#include "sim_runner.h"

#include <poll.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tools/common/stop_signal.h"
#include "tools/sim/sim_link.h"
#include "tools/sim/sim_receiver.h"
#include "tools/sim/sim_truth_log.h"

namespace {
using Clock = std::chrono::steady_clock;
// A solution that the far end cannot take within this time is dropped rather than delayed.
constexpr int kRealTimeWriteTimeoutMs = 200;
// Long enough for a host's one-second watchdog to see the device gone.
constexpr std::chrono::milliseconds kUnpluggedFor{2000};
}  // namespace

CSimRunner::CSimRunner(CSimReceiver& receiver, CSimLink& link, CStopSignal& stop, CSimTruthLog* truthLog)
    : receiver(receiver), link(link), stop(stop), truthLog(truthLog) {}

int CSimRunner::RunRealTime() {
    writeTimeoutMs = kRealTimeWriteTimeoutMs;
    auto due = Clock::now();
    if (replugEvery.count() > 0) nextPlugChange = due + replugEvery;
    while (!stop.Requested() && !failed) {
        const auto wait =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::min(due, nextPlugChange) - Clock::now()).count();
        pollfd waits[] = {{stop.WaitDescriptor(), POLLIN, 0}, {link.InputDescriptor(), POLLIN, 0}};
        poll(waits, link.InputDescriptor() >= 0 ? 2 : 1, static_cast<int>(std::max<int64_t>(wait, 0)));
        if (waits[1].revents & POLLIN) AnswerHost();
        if (Clock::now() >= nextPlugChange) ChangePlug();
        if (Clock::now() < due) continue;
        NextSolution();
        due += std::chrono::milliseconds(receiver.PeriodMs());
        // After a stall (a suspended process), go on from now instead of catching up in a burst.
        if (due < Clock::now()) due = Clock::now();
    }
    return failed ? 1 : 0;
}

// While unplugged the receiver runs on; its outputs go nowhere.
void CSimRunner::ChangePlug() {
    if (link.Plugged()) {
        link.Unplug();
        std::fprintf(stderr, "veltro-sim: unplugged\n");
        nextPlugChange = Clock::now() + kUnpluggedFor;
        return;
    }
    std::string error;
    if (!link.PlugIn(error)) {
        std::fprintf(stderr, "veltro-sim: %s\n", error.c_str());
        failed = true;
        return;
    }
    std::fprintf(stderr, "veltro-sim: plugged in again\n");
    nextPlugChange = Clock::now() + replugEvery;
}

int CSimRunner::RunFlood(uint64_t epochs) {
    writeTimeoutMs = CSimLink::kWaitForever;
    for (uint64_t n = 0; (epochs == 0 || n < epochs) && !stop.Requested() && !failed; ++n) {
        AnswerHost();
        NextSolution();
    }
    return failed ? 1 : 0;
}

void CSimRunner::AnswerHost() {
    uint8_t buffer[1024];
    out.clear();
    while (const size_t n = link.Read(buffer, sizeof buffer)) receiver.Receive(buffer, n, out);
    Send();
}

void CSimRunner::NextSolution() {
    out.clear();
    const SimEpoch& epoch = receiver.NextEpoch(out);
    if (truthLog) truthLog->Write(epoch);
    Send();
}

void CSimRunner::Send() {
    if (out.empty()) return;
    if (link.Write(out.data(), out.size(), writeTimeoutMs, stop.WaitDescriptor()) != CSimLink::WriteResult::Failed)
        return;
    std::fprintf(stderr, "veltro-sim: the output was closed\n");
    failed = true;
}
