#pragma once
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

// A KVB payload written field by field, little-endian. The scaled writers take a value in SI
// units and the field's unit, round, and clamp to what the field holds.
class CSimPayload {
public:
    explicit CSimPayload(size_t size) : bytes(size, 0) {}

    CSimPayload& U1(size_t at, int64_t v) { return Put(at, v, 1); }
    CSimPayload& U2(size_t at, int64_t v) { return Put(at, v, 2); }
    CSimPayload& U4(size_t at, int64_t v) { return Put(at, v, 4); }
    CSimPayload& I4Scaled(size_t at, double value, double unit) {
        return Put(at, std::clamp<int64_t>(std::llround(value / unit), INT32_MIN, INT32_MAX), 4);
    }
    CSimPayload& U4Scaled(size_t at, double value, double unit) {
        return Put(at, std::clamp<int64_t>(std::llround(value / unit), 0, UINT32_MAX), 4);
    }
    CSimPayload& I2Scaled(size_t at, double value, double unit) {
        return Put(at, std::clamp<int64_t>(std::llround(value / unit), INT16_MIN, INT16_MAX), 2);
    }
    CSimPayload& R4(size_t at, float value) { return Put(at, std::bit_cast<uint32_t>(value), 4); }
    // Zero-terminated text in a field of the given size.
    CSimPayload& Text(size_t at, std::string_view text, size_t field) {
        std::memcpy(&bytes.at(at), text.data(), std::min(text.size(), field - 1));
        return *this;
    }
    std::vector<uint8_t> Take() { return std::move(bytes); }

private:
    CSimPayload& Put(size_t at, int64_t v, size_t size) {
        for (size_t i = 0; i < size; ++i) bytes.at(at + i) = static_cast<uint8_t>(static_cast<uint64_t>(v) >> (8 * i));
        return *this;
    }

    std::vector<uint8_t> bytes;
};
