#include "plugins/kvb/framing/kvb_frame.h"

#include <algorithm>

#include "plugins/kvb/catalogue/kvb_plugin.h"

namespace {
constexpr int kNeedMoreBytes = -1;
constexpr int kNoFrame = 0;
constexpr int kMaxLengthField = 0xFFFF;
}  // namespace

KvbChecksum ComputeKvbChecksum(const uint8_t* bytes, int count) {
    KvbChecksum checksum{0, 0};
    for (int i = 0; i < count; ++i) {
        checksum.a = static_cast<uint8_t>(checksum.a + bytes[i]);
        checksum.b = static_cast<uint8_t>(checksum.b + checksum.a);
    }
    return checksum;
}

int KvbCheckFrame(const uint8_t* bytes, int32_t count) {
    if (count <= 0) return kNeedMoreBytes;
    if (bytes[0] != kKvbSync1) return kNoFrame;
    if (count < 2) return kNeedMoreBytes;
    if (bytes[1] != kKvbSync2) return kNoFrame;
    if (count < kKvbHeaderLength) return kNeedMoreBytes;
    const int payloadLength = bytes[4] | bytes[5] << 8;
    if (payloadLength > kKvbMaxPayload) return kNoFrame;

    const int checksumAt = kKvbHeaderLength + payloadLength;
    if (count < checksumAt + 1) return kNeedMoreBytes;
    // Checked from class to the end of the payload, and CK_A judged before CK_B has arrived.
    const KvbChecksum checksum = ComputeKvbChecksum(bytes + 2, checksumAt - 2);
    if (bytes[checksumAt] != checksum.a) return kNoFrame;
    if (count < checksumAt + 2) return kNeedMoreBytes;
    if (bytes[checksumAt + 1] != checksum.b) return kNoFrame;
    return checksumAt + 2;
}

uint8_t* KvbWriteFrame(uint8_t messageClass, uint8_t id, uint8_t* frame, int totalLength) {
    const int payloadLength = totalLength - kKvbFrameOverhead;
    if (payloadLength < 0 || payloadLength > kMaxLengthField) return frame;
    frame[0] = kKvbSync1;
    frame[1] = kKvbSync2;
    frame[2] = messageClass;
    frame[3] = id;
    frame[4] = static_cast<uint8_t>(payloadLength & 0xFF);
    frame[5] = static_cast<uint8_t>(payloadLength >> 8);
    const KvbChecksum checksum = ComputeKvbChecksum(frame + 2, totalLength - 4);
    frame[totalLength - 2] = checksum.a;
    frame[totalLength - 1] = checksum.b;
    return frame + totalLength;
}

bool KvbBuildFrame(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, uint8_t* buffer, int& outLength,
                   int capacity) {
    outLength = kKvbFrameOverhead + static_cast<int>(payload.size());
    if (capacity < outLength) return false;
    std::copy(payload.begin(), payload.end(), buffer + kKvbHeaderLength);
    KvbWriteFrame(messageClass, id, buffer, outLength);
    return true;
}

bool KvbBuildPoll(uint8_t messageClass, uint8_t id, uint8_t* buffer, int& outLength, int capacity) {
    return KvbBuildFrame(messageClass, id, {}, buffer, outLength, capacity);
}

bool KvbBuildRateCommand(uint8_t messageClass, uint8_t id, bool enable, uint8_t* buffer, int& outLength, int capacity) {
    const uint8_t payload[] = {messageClass, id, static_cast<uint8_t>(enable ? 1 : 0)};
    return KvbBuildFrame(kKvbClassCfg, kKvbIdCfgMsg, payload, buffer, outLength, capacity);
}

void KvbBuildPollStep(uint8_t messageClass, uint8_t id, std::span<const uint8_t> payload, uint8_t* buffer, int capacity,
                      int& outLength) {
    if (!KvbBuildFrame(messageClass, id, payload, buffer, outLength, capacity)) outLength = -1;
}

int KvbBuildPollIfSupported(const CMessageNode& node, uint8_t messageClass, uint8_t id, uint8_t* buffer, int capacity,
                            int& outLength) {
    if (capacity >= kKvbFrameOverhead && (node.OwnMask() & KvbPlugin().capabilityMask) == 0)
        outLength = 0;
    else
        KvbBuildPollStep(messageClass, id, {}, buffer, capacity, outLength);
    return 0;
}

int KvbFinalizeFrames(std::span<SendRecord> sendList) {
    for (const SendRecord& record : sendList) {
        // A record too short to be a frame is left alone: its class and id are not even there.
        if (record.frame && record.length >= kKvbFrameOverhead)
            KvbWriteFrame(record.frame[2], record.frame[3], record.frame, record.length);
    }
    return static_cast<int>(sendList.size());
}
