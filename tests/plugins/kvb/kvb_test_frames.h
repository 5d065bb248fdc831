#pragma once
// KVB frames for tests, built here independently of the plug-in's writer.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

inline std::vector<uint8_t> KvbTestFrame(uint8_t messageClass, uint8_t id, const std::vector<uint8_t>& payload) {
    const size_t n = payload.size();
    std::vector<uint8_t> frame(n + 8);
    const uint8_t header[] = {0xA4, 0x51, messageClass, id, static_cast<uint8_t>(n), static_cast<uint8_t>(n >> 8)};
    std::copy(std::begin(header), std::end(header), frame.begin());
    std::copy(payload.begin(), payload.end(), frame.begin() + 6);
    uint8_t a = 0, b = 0;
    for (size_t i = 2; i < n + 6; ++i) {
        a = static_cast<uint8_t>(a + frame[i]);
        b = static_cast<uint8_t>(b + a);
    }
    frame[n + 6] = a;
    frame[n + 7] = b;
    return frame;
}

// A frame of the given total length with a zero payload, except for the bytes set at the given
// frame offsets (such as a count byte).
inline std::vector<uint8_t> KvbTestFrameOfLength(uint8_t messageClass, uint8_t id, size_t totalLength,
                                                 std::initializer_list<std::pair<size_t, uint8_t>> bytesAt = {}) {
    std::vector<uint8_t> payload(totalLength - 8, 0);
    for (const auto& [offset, value] : bytesAt) payload[offset - 6] = value;
    return KvbTestFrame(messageClass, id, payload);
}
