#pragma once
#include <cstddef>
#include <bit>
#include <cstdint>
#include <span>
#include <string>

// Integer types of payload fields: unsigned and signed, 8, 16 and 32 bits.
enum class KvbFieldType : uint8_t { U1, I1, U2, I2, U4, I4 };

// The payload of a stored frame, read little-endian. The bytes come from the receiver: a field
// that would reach past the end reads as 0, so no offset or count can lead outside the frame.
class KvbPayload {
public:
    KvbPayload() = default;
    explicit KvbPayload(std::span<const uint8_t> bytes) : bytes(bytes) {}
    // The bytes between header and checksum; empty when the frame is too short to have them.
    static KvbPayload OfFrame(const uint8_t* frame, int length);

    size_t Size() const { return bytes.size(); }

    uint8_t U1(size_t offset) const { return static_cast<uint8_t>(Unsigned(offset, 1)); }
    int8_t I1(size_t offset) const { return static_cast<int8_t>(Unsigned(offset, 1)); }
    uint16_t U2(size_t offset) const { return static_cast<uint16_t>(Unsigned(offset, 2)); }
    int16_t I2(size_t offset) const { return static_cast<int16_t>(Unsigned(offset, 2)); }
    uint32_t U4(size_t offset) const { return Unsigned(offset, 4); }
    int32_t I4(size_t offset) const { return static_cast<int32_t>(Unsigned(offset, 4)); }
    // A 32-bit IEEE float.
    float R4(size_t offset) const { return std::bit_cast<float>(Unsigned(offset, 4)); }
    // Single-byte text in a field of size bytes: up to its first zero byte, or the whole field when
    // it has none; only the part of the field that lies inside the payload.
    std::string Text(size_t offset, size_t size) const;
    double Read(KvbFieldType type, size_t offset) const;

private:
    // Inline, so that each field size becomes a plain load: decoders read every field this way.
    uint32_t Unsigned(size_t offset, size_t size) const {
        if (offset > bytes.size() || size > bytes.size() - offset) return 0;
        uint32_t value = 0;
        for (size_t i = size; i-- > 0;) value = value << 8 | bytes[offset + i];
        return value;
    }

    std::span<const uint8_t> bytes;
};
