#pragma once
#include <array>
#include <cstdint>

// Which total frame lengths a message accepts: one of a few fixed lengths; a fixed part plus a
// number of records given by a count byte inside that fixed part; or a fixed part plus any
// number of repeated blocks.
struct KvbLengthRule {
    enum class Kind : uint8_t { Fixed, Counted, Repeated };

    Kind kind;
    // Fixed: the accepted lengths (unused ones 0). Counted and Repeated: [0] is the fixed part.
    std::array<uint16_t, 3> lengths;
    // Counted: frame offset of the count byte; it lies inside the fixed part.
    uint16_t countOffset;
    // Counted: the record sizes the message is sent with. Repeated: [0] is the block size.
    std::array<uint8_t, 2> blockSizes;

    bool Accepts(const uint8_t* frame, int length) const;
};

constexpr KvbLengthRule ExactLength(uint16_t length, uint16_t otherLength = 0, uint16_t thirdLength = 0) {
    return {KvbLengthRule::Kind::Fixed, {length, otherLength, thirdLength}, 0, {0, 0}};
}

constexpr KvbLengthRule CountedRecords(uint16_t fixedPart, uint16_t countOffset, uint8_t recordSize,
                                       uint8_t otherRecordSize = 0) {
    return {KvbLengthRule::Kind::Counted,
            {fixedPart, 0, 0},
            countOffset,
            {recordSize, otherRecordSize ? otherRecordSize : recordSize}};
}

constexpr KvbLengthRule RepeatedBlocks(uint16_t fixedPart, uint8_t blockSize) {
    return {KvbLengthRule::Kind::Repeated, {fixedPart, 0, 0}, 0, {blockSize, 0}};
}
