#include "kvb_frame.h"

#include <algorithm>
#include <vector>

#include "host/core/frame/main_frame_logic.h"

namespace {
constexpr uint8_t kSync1 = 0xA4;
constexpr uint8_t kSync2 = 0x51;
constexpr int kHeaderBytes = 6;
constexpr int kMaxPayload = 0xFFFF;
}  // namespace

int BuildKvbFrame(uint8_t* buffer, uint8_t messageClass, uint8_t id, const uint8_t* payload, int length) {
    if (length < 0 || length > kMaxPayload) return 0;
    buffer[0] = kSync1;
    buffer[1] = kSync2;
    buffer[2] = messageClass;
    buffer[3] = id;
    buffer[4] = static_cast<uint8_t>(length & 0xFF);
    buffer[5] = static_cast<uint8_t>(length >> 8);
    if (length > 0) std::copy_n(payload, length, buffer + kHeaderBytes);
    uint8_t a = 0;
    uint8_t b = 0;
    for (int i = 2; i < kHeaderBytes + length; ++i) {
        a = static_cast<uint8_t>(a + buffer[i]);
        b = static_cast<uint8_t>(b + a);
    }
    buffer[kHeaderBytes + length] = a;
    buffer[kHeaderBytes + length + 1] = b;
    return length + kKvbFrameExtraBytes;
}

bool SendKvbMessage(CMainFrameLogic& frame, uint8_t messageClass, uint8_t id, const uint8_t* payload, int length) {
    if (length < 0 || length > kMaxPayload) return false;
    std::vector<uint8_t> buffer(static_cast<size_t>(length) + kKvbFrameExtraBytes);
    const int size = BuildKvbFrame(buffer.data(), messageClass, id, payload, length);
    return frame.SendToReceiver(nullptr, buffer.data(), size);
}
