#include "sim_orbit_transfer.h"

#include <cstdio>

#include "tools/sim/sim_kvb_writer.h"

namespace {
constexpr uint8_t kAidClass = 0x0B;
constexpr uint8_t kTransferId = 0x50;
constexpr uint8_t kCancel = 0xFF;
constexpr uint8_t kAcknowledge = 0x01;
constexpr uint8_t kRefuse = 0x00;
}  // namespace

void CSimOrbitTransfer::Execute(std::span<const uint8_t> payload, std::vector<uint8_t>& out) {
    if (payload.empty()) return;
    bool accepted = true;
    if (payload.size() == 1 && payload[0] == kCancel) {
        OnCancel();
    } else {
        ++blocks;
        accepted = blocks != config.refuseBlock;
        if (accepted) kept.insert(kept.end(), payload.begin(), payload.end());
    }
    if (config.silent) return;
    const uint8_t answer = accepted ? kAcknowledge : kRefuse;
    AppendKvbFrame(kAidClass, kTransferId, std::span(&answer, 1), out);
}

// A closing cancel keeps what the transfer brought; an opening one starts afresh.
void CSimOrbitTransfer::OnCancel() {
    if (blocks == 0) kept.clear();
    blocks = 0;
    Keep();
}

void CSimOrbitTransfer::Keep() const {
    if (config.keepPath.empty()) return;
    std::FILE* file = std::fopen(config.keepPath.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "veltro-sim: cannot write %s\n", config.keepPath.c_str());
        return;
    }
    if (!kept.empty()) std::fwrite(kept.data(), 1, kept.size(), file);
    std::fclose(file);
}
