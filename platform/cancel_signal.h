#pragma once
#include <atomic>
#include <cstdint>

namespace platform {

// A stop request that every wait of a worker ends at, its socket waits included: a flag that can
// also be waited for as a file descriptor (an eventfd), so that one poll waits for data and for
// the request at once. Once raised it stays raised.
class CCancelSignal {
public:
    CCancelSignal();
    ~CCancelSignal();
    CCancelSignal(const CCancelSignal&) = delete;
    CCancelSignal& operator=(const CCancelSignal&) = delete;

    // From any thread.
    void Raise();
    bool IsRaised() const { return raised.load(); }
    // Waits the time, or less when the signal is raised; false when it is raised.
    bool Sleep(uint32_t milliseconds) const;
    // Readable once raised; -1 when the system gave no descriptor (Sleep then waits in slices).
    int Descriptor() const { return fd; }

private:
    int fd;
    std::atomic<bool> raised{false};
};

}  // namespace platform
