#include "receiver_commands.h"

#include "host/core/frame/main_frame_logic.h"

namespace {

// They differ only in what they clear: nothing, the ephemeris, everything listed.
constexpr uint8_t kHotFrame[] = {0xA4, 0x51, 0x06, 0x04, 0x04, 0x00, 0x00, 0x00, 0x02, 0x00, 0x10, 0x68};
constexpr uint8_t kWarmFrame[] = {0xA4, 0x51, 0x06, 0x04, 0x04, 0x00, 0x01, 0x00, 0x02, 0x00, 0x11, 0x6C};
constexpr uint8_t kColdFrame[] = {0xA4, 0x51, 0x06, 0x04, 0x04, 0x00, 0xFF, 0x07, 0x02, 0x00, 0x16, 0x79};

}  // namespace

ResetKind ResetKindOf(int32_t number) {
    return number >= 1 && number <= 3 ? static_cast<ResetKind>(number) : ResetKind::None;
}

std::span<const uint8_t> ResetFrame(ResetKind kind) {
    switch (kind) {
        case ResetKind::Cold:
            return kColdFrame;
        case ResetKind::Warm:
            return kWarmFrame;
        case ResetKind::Hot:
            return kHotFrame;
        case ResetKind::None:
            break;
    }
    return {};
}

std::u16string ResetName(ResetKind kind) {
    switch (kind) {
        case ResetKind::Cold:
            return u"Coldstart";
        case ResetKind::Warm:
            return u"Warmstart";
        case ResetKind::Hot:
            return u"Hotstart";
        case ResetKind::None:
            break;
    }
    return {};
}

bool SendReset(CMainFrameLogic& frame, ResetKind kind) {
    const std::span<const uint8_t> bytes = ResetFrame(kind);
    return !bytes.empty() && frame.SendToReceiver(nullptr, bytes.data(), static_cast<int>(bytes.size()));
}
