#include "plugins/kvb/framing/kvb_payload.h"

#include <algorithm>

#include "plugins/kvb/framing/kvb_frame.h"

KvbPayload KvbPayload::OfFrame(const uint8_t* frame, int length) {
    if (!frame || length < kKvbFrameOverhead) return {};
    return KvbPayload({frame + kKvbHeaderLength, static_cast<size_t>(length - kKvbFrameOverhead)});
}

double KvbPayload::Read(KvbFieldType type, size_t offset) const {
    switch (type) {
        case KvbFieldType::U1:
            return U1(offset);
        case KvbFieldType::I1:
            return I1(offset);
        case KvbFieldType::U2:
            return U2(offset);
        case KvbFieldType::I2:
            return I2(offset);
        case KvbFieldType::U4:
            return U4(offset);
        case KvbFieldType::I4:
            return I4(offset);
    }
    return 0;
}

std::string KvbPayload::Text(size_t offset, size_t size) const {
    if (offset >= bytes.size()) return {};
    const std::span<const uint8_t> field = bytes.subspan(offset, std::min(size, bytes.size() - offset));
    std::string text;
    for (uint8_t byte : field) {
        if (byte == 0) break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}
