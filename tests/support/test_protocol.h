#pragma once
// A tiny protocol for exercising the host without a real receiver protocol:
//   'T' 'S' length type payload[length] checksum
// where checksum is the sum of type and payload bytes, modulo 256. Type 1 carries a 32-bit
// little-endian time tag in milliseconds that opens a new epoch when it changes; type 2 carries a
// 32-bit little-endian value in thousandths. Values land in database entries kTestTimeId and
// kTestValueId, which a test adds to the database.
#include <cstdint>
#include <vector>

constexpr uint16_t kTestTimeId = 0x9001;
constexpr uint16_t kTestValueId = 0x9002;
constexpr uint8_t kTestTimeType = 1;
constexpr uint8_t kTestValueType = 2;

inline int TestCheckFrame(const uint8_t* bytes, int32_t count) {
    if (count < 1) return -1;
    if (bytes[0] != 'T') return 0;
    if (count < 2) return -1;
    if (bytes[1] != 'S') return 0;
    if (count < 4) return -1;
    const int total = bytes[2] + 5;
    if (count < total) return -1;
    uint8_t sum = 0;
    for (int i = 3; i < total - 1; ++i) sum = static_cast<uint8_t>(sum + bytes[i]);
    return sum == bytes[total - 1] ? total : 0;
}

inline std::vector<uint8_t> TestFrame(uint8_t type, const std::vector<uint8_t>& payload) {
    std::vector<uint8_t> frame{'T', 'S', static_cast<uint8_t>(payload.size()), type};
    uint8_t sum = type;
    for (uint8_t b : payload) {
        frame.push_back(b);
        sum = static_cast<uint8_t>(sum + b);
    }
    frame.push_back(sum);
    return frame;
}

inline std::vector<uint8_t> TestFrameU32(uint8_t type, uint32_t value) {
    return TestFrame(type, {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)});
}
