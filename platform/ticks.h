#pragma once
#include <cstdint>

#include "platform/export.h"

namespace platform {

// Milliseconds since an arbitrary start, wrapping at 2^32 like the handheld's tick count.
// Compare ticks only by unsigned subtraction.
VELTRO_EXPORT uint32_t GetTickCount();
// The same clock read cheaply, a few milliseconds behind at most (never ahead of GetTickCount):
// for stamping every frame that arrives.
VELTRO_EXPORT uint32_t GetCoarseTickCount();

// Lets tests drive the clock: while a manual clock is set, GetTickCount answers its value.
class VELTRO_EXPORT ManualTickClock {
public:
    explicit ManualTickClock(uint32_t start);
    ~ManualTickClock();
    ManualTickClock(const ManualTickClock&) = delete;
    ManualTickClock& operator=(const ManualTickClock&) = delete;

    void Set(uint32_t ticks);
    void Advance(uint32_t milliseconds);
};

}  // namespace platform
