#pragma once
#include <condition_variable>
#include <cstdint>
#include <mutex>

// The handheld's event object: a flag that threads wait on. A manual-reset event stays set until
// Reset; an auto-reset event is cleared again by the one wait that it releases.
namespace platform {

constexpr uint32_t kInfinite = 0xFFFFFFFF;

class CEvent {
public:
    CEvent(bool manualReset, bool initiallySet);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    void Reset();
    // True when the event was set within the time; kInfinite waits without limit.
    bool Wait(uint32_t milliseconds);

private:
    const bool manualReset;
    bool set;
    std::mutex mutex;
    std::condition_variable changed;
};

}  // namespace platform
