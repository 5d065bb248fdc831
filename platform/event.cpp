#include "event.h"

#include <chrono>

namespace platform {

CEvent::CEvent(bool manualReset, bool initiallySet) : manualReset(manualReset), set(initiallySet) {}

void CEvent::Set() {
    {
        std::lock_guard lock(mutex);
        set = true;
    }
    changed.notify_all();
}

void CEvent::Reset() {
    std::lock_guard lock(mutex);
    set = false;
}

bool CEvent::Wait(uint32_t milliseconds) {
    std::unique_lock lock(mutex);
    if (milliseconds == kInfinite)
        changed.wait(lock, [this] { return set; });
    else if (!changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return set; }))
        return false;
    if (!manualReset) set = false;
    return true;
}

}  // namespace platform
