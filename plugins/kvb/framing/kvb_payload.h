#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

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
    double Read(KvbFieldType type, size_t offset) const;

private:
    uint32_t Unsigned(size_t offset, size_t size) const;

    std::span<const uint8_t> bytes;
};
