#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// How the simulated receiver takes an orbit-data transfer, for tests of the host's update.
struct SimOrbitTransferConfig {
    // Where the blocks received are kept, written at every cancel; empty: in memory only.
    std::string keepPath;
    // The block of a transfer (1 the first) that is refused; 0: none.
    uint32_t refuseBlock = 0;
    // No answer at all, as a receiver that does not know the message.
    bool silent = false;
};

// The orbit-data transfer (KVB 0x0B 0x50): a cancel (payload 0xFF) opens and closes a transfer,
// every other payload is a block of the file. Each is answered at once with the 9-byte
// acknowledgement (payload 1), or the refusal (payload 0) for the block the config names. The
// blocks accepted since the opening cancel are kept in order.
class CSimOrbitTransfer {
public:
    explicit CSimOrbitTransfer(SimOrbitTransferConfig config) : config(std::move(config)) {}

    void Execute(std::span<const uint8_t> payload, std::vector<uint8_t>& out);
    const std::vector<uint8_t>& Kept() const { return kept; }

private:
    void OnCancel();
    void Keep() const;

    const SimOrbitTransferConfig config;
    std::vector<uint8_t> kept;
    // Blocks since the last cancel: none means this cancel opens a transfer.
    uint32_t blocks = 0;
};
