#include "history_ring.h"

#include <algorithm>
#include <cstring>

CHistoryRing::CHistoryRing() : buffer(std::make_unique_for_overwrite<uint8_t[]>(kCapacity)) {}

void CHistoryRing::Append(const uint8_t* bytes, size_t length) {
    if (length == 0) return;
    if (length > kCapacity) {
        bytes += length - kCapacity;
        length = kCapacity;
    }
    const size_t untilWrap = std::min(length, kCapacity - writeIndex);
    std::memcpy(buffer.get() + writeIndex, bytes, untilWrap);
    std::memcpy(buffer.get(), bytes + untilWrap, length - untilWrap);
    writeIndex = (writeIndex + length) % kCapacity;
    fill = std::min(fill + length, kCapacity);
}

CHistoryRing::Pieces CHistoryRing::Contents() const {
    const uint8_t* start = buffer.get();
    if (fill < kCapacity) return {{start, fill}, {}};
    return {{start + writeIndex, kCapacity - writeIndex}, {start, writeIndex}};
}
