#pragma once
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "tools/sim/sim_command_reader.h"
#include "tools/sim/sim_data_logger.h"
#include "tools/sim/sim_orbit_transfer.h"
#include "tools/sim/sim_output_rates.h"
#include "tools/sim/sim_saved_configuration.h"
#include "tools/sim/sim_settings.h"
#include "tools/sim/sim_truth.h"

struct SimReceiverConfig {
    SimTruthConfig truth;
    uint16_t periodMs = 1000;
    bool kvb = true;
    bool nmea = true;
    SimOrbitTransferConfig orbit;
    SimDataLoggerConfig logger;
};

// The simulated receiver: computes a navigation solution per period and writes the outputs due
// in it, and carries out what the host sends: rate commands, configuration, resets and polls.
class CSimReceiver {
public:
    explicit CSimReceiver(const SimReceiverConfig& config);

    // The next navigation solution; its outputs are appended to out.
    const SimEpoch& NextEpoch(std::vector<uint8_t>& out);
    // Bytes from the host; answers are appended to out at once.
    void Receive(const uint8_t* bytes, size_t length, std::vector<uint8_t>& out);
    uint32_t PeriodMs() const { return settings.NavigationPeriodMs(); }
    // Told of every KVB frame from the host before it is carried out.
    void SetFrameListener(std::function<void(std::span<const uint8_t>)> listener) {
        frameListener = std::move(listener);
    }
    const CSimOutputRates& Rates() const { return rates; }
    const CSimOrbitTransfer& OrbitTransfer() const { return orbit; }
    const CSimDataLogger& DataLogger() const { return logger; }

private:
    void WriteOutputs(const SimEpoch& epoch, std::vector<uint8_t>& out);
    void Execute(const CSimCommandReader::Command& command, std::vector<uint8_t>& out);
    void ExecuteKvb(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out);
    void ExecuteMessageRate(std::span<const uint8_t> payload, std::vector<uint8_t>& out);
    void ExecuteReset(std::span<const uint8_t> payload);
    void ExecuteConfiguration(uint8_t id, std::span<const uint8_t> payload, std::vector<uint8_t>& out);
    void ExecuteNmeaQuery(const std::vector<uint8_t>& sentence, std::vector<uint8_t>& out);
    void Announce(std::vector<uint8_t>& out);

    CSimTruth truth;
    CSimOutputRates rates;
    CSimSettings settings;
    CSimSavedConfiguration saved{settings, rates};
    CSimCommandReader reader;
    CSimOrbitTransfer orbit;
    CSimDataLogger logger;
    uint64_t solutions = 0;
    // Told the host with the next solution, after a start.
    std::string notice;
    // A reset with mode "Stop" halts the navigation until one with mode "Start".
    bool stopped = false;
    std::function<void(std::span<const uint8_t>)> frameListener;
};
