#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// The fields of a view's state block one after the other, little-endian, as the handheld kept
// them. The reader takes what the block holds and never reads beyond it (missing bytes read 0).
class CStateBlockWriter {
public:
    explicit CStateBlockWriter(std::span<uint8_t> out) : out(out) {}
    void Put(uint32_t value, int bytes) {
        for (int i = 0; i < bytes && at < out.size(); ++i) out[at++] = static_cast<uint8_t>(value >> (8 * i));
    }

private:
    std::span<uint8_t> out;
    size_t at = 0;
};

class CStateBlockReader {
public:
    explicit CStateBlockReader(std::span<const uint8_t> in) : in(in) {}
    uint32_t Take(int bytes) {
        uint32_t value = 0;
        for (int i = 0; i < bytes && at < in.size(); ++i) value |= static_cast<uint32_t>(in[at++]) << (8 * i);
        return value;
    }
    int32_t TakeInt() { return static_cast<int32_t>(Take(4)); }

private:
    std::span<const uint8_t> in;
    size_t at = 0;
};
