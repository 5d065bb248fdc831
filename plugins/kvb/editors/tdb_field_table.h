#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// A field of a receiver channel's tracking structure that the tracking debugger can probe: 34
// bytes, as the receiver's tools keep them.
struct TdbFieldRecord {
    // kTdbOffered: listed on the page; kTdbHidden: kept, not offered.
    uint8_t flag;
    uint8_t size;
    // Little-endian.
    uint8_t offset[2];
    // Zero-terminated.
    char name[30];

    uint16_t Offset() const { return static_cast<uint16_t>(offset[0] | offset[1] << 8); }
    bool IsOffered() const;
};
static_assert(sizeof(TdbFieldRecord) == 34);

inline constexpr uint8_t kTdbOffered = 0;
inline constexpr uint8_t kTdbHidden = 255;

inline bool TdbFieldRecord::IsOffered() const { return flag == kTdbOffered; }

extern const std::span<const TdbFieldRecord> kTdbFields;
