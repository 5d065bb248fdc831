// veltro-sim: a simulated receiver on a pseudo-terminal, a file or standard output.
#include <chrono>
#include <cmath>
#include <cstdio>

#include "tools/common/stop_signal.h"
#include "tools/sim/sim_frame_log.h"
#include "tools/sim/sim_leap_seconds.h"
#include "tools/sim/sim_link.h"
#include "tools/sim/sim_options.h"
#include "tools/sim/sim_receiver.h"
#include "tools/sim/sim_runner.h"
#include "tools/sim/sim_truth_log.h"
#include "tools/sim/sim_written_log.h"

namespace {

constexpr int kUsageError = 2;

double SystemUtc() {
    return std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
}

// The first epoch falls on a whole multiple of the navigation period in GPS time.
int64_t StartGpsMs(const SimOptions& options) {
    const double gpsSeconds = SimGpsTimeFromUtc(options.startUtc.value_or(SystemUtc()));
    const int64_t period = options.periodMs;
    return static_cast<int64_t>(std::ceil(gpsSeconds * 1000 / static_cast<double>(period))) * period;
}

SimReceiverConfig ReceiverConfig(const SimOptions& options) {
    SimReceiverConfig config;
    config.truth.startGpsMs = StartGpsMs(options);
    config.truth.trajectory = options.trajectory;
    config.truth.start = options.start;
    config.truth.systems = options.systems;
    config.periodMs = options.periodMs;
    config.kvb = options.kvb;
    config.nmea = options.nmea;
    config.orbit = options.orbit;
    config.logger = options.logger;
    return config;
}

std::unique_ptr<CSimLink> OpenLink(const SimOptions& options, std::string& error) {
    if (options.output != "pty") return CSimLink::OpenFile(options.output, error);
    auto link = CSimLink::OpenPseudoTerminal(options.linkPath, error);
    // The host's side of the line, for whoever started us.
    if (link) std::printf("%s\n", link->FarEnd().c_str());
    std::fflush(stdout);
    return link;
}

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "veltro-sim: %s\n%s", error.c_str(), SimUsage());
        return kUsageError;
    }
    if (options.help) {
        std::fputs(SimUsage(), stdout);
        return 0;
    }
    CStopSignal& stop = CStopSignal::Install();
    CSimTruthLog truthLog;
    if (!options.truthPath.empty() && !truthLog.Open(options.truthPath)) {
        std::fprintf(stderr, "veltro-sim: cannot create %s\n", options.truthPath.c_str());
        return 1;
    }
    CSimFrameLog frameLog;
    if (!options.frameLogPath.empty() && !frameLog.Open(options.frameLogPath)) {
        std::fprintf(stderr, "veltro-sim: cannot create %s\n", options.frameLogPath.c_str());
        return 1;
    }
    CSimWrittenLog writtenLog;
    if (!options.writtenLogPath.empty() && !writtenLog.Open(options.writtenLogPath)) {
        std::fprintf(stderr, "veltro-sim: cannot create %s\n", options.writtenLogPath.c_str());
        return 1;
    }
    auto link = OpenLink(options, error);
    if (!link) {
        std::fprintf(stderr, "veltro-sim: %s\n", error.c_str());
        return 1;
    }
    if (!options.writtenLogPath.empty())
        link->SetWrittenListener([&writtenLog](std::span<const uint8_t> bytes) { writtenLog.Append(bytes); });
    CSimReceiver receiver(ReceiverConfig(options));
    receiver.SetFrameListener([&frameLog](std::span<const uint8_t> frame) { frameLog.OnFrame(frame); });
    CSimRunner runner(receiver, *link, stop, options.truthPath.empty() ? nullptr : &truthLog);
    runner.ReplugEvery(std::chrono::seconds(options.replugEverySeconds));
    return options.flood ? runner.RunFlood(options.epochs) : runner.RunRealTime();
}
