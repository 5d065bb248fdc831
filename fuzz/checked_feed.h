#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "host/core/intake/frame_splitter.h"

// FeedStream, trapping unless the records handed out (recognised frames and unrecognised runs
// alike) and the bytes left buffered at the end are the input itself: each byte once, in order.
template <typename Handler>
void FeedStreamChecked(CFrameSplitter& splitter, const uint8_t* bytes, size_t length, Handler&& handler) {
    size_t out = 0;
    const auto take = [&](const uint8_t* record, int32_t n) {
        if (n <= 0 || static_cast<size_t>(n) > length - out ||
            std::memcmp(record, bytes + out, static_cast<size_t>(n)) != 0)
            __builtin_trap();
        out += static_cast<size_t>(n);
    };
    FeedStream(splitter, bytes, length, [&](const FrameRecord& record) {
        take(record.bytes, record.length);
        handler(record);
    });
    const uint8_t* rest = nullptr;
    int restLength = 0;
    splitter.TakeAll(rest, restLength);
    if (restLength != 0) take(rest, restLength);
    if (out != length) __builtin_trap();
}
