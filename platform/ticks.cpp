#include "ticks.h"

#include <atomic>
#include <ctime>

namespace platform {
namespace {
std::atomic<bool> manualActive{false};
std::atomic<uint32_t> manualTicks{0};
}  // namespace

namespace {

uint32_t ReadClock(clockid_t clock) {
    if (manualActive.load(std::memory_order_acquire)) return manualTicks.load(std::memory_order_acquire);
    timespec now{};
    clock_gettime(clock, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

}  // namespace

uint32_t GetTickCount() { return ReadClock(CLOCK_MONOTONIC); }
uint32_t GetCoarseTickCount() { return ReadClock(CLOCK_MONOTONIC_COARSE); }

ManualTickClock::ManualTickClock(uint32_t start) {
    manualTicks.store(start);
    manualActive.store(true);
}

ManualTickClock::~ManualTickClock() { manualActive.store(false); }

void ManualTickClock::Set(uint32_t ticks) { manualTicks.store(ticks); }

void ManualTickClock::Advance(uint32_t milliseconds) { manualTicks.fetch_add(milliseconds); }

}  // namespace platform
