#include "cancel_signal.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>

namespace platform {

namespace {
// Without a descriptor, how often Sleep looks at the flag.
constexpr int kSliceMs = 10;
}  // namespace

CCancelSignal::CCancelSignal() : fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

CCancelSignal::~CCancelSignal() {
    if (fd >= 0) close(fd);
}

void CCancelSignal::Raise() {
    raised = true;
    if (fd < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(fd, &one, sizeof one);
}

bool CCancelSignal::Sleep(uint32_t milliseconds) const {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point end = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (!IsRaised()) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0) return true;
        pollfd readable{fd, POLLIN, 0};
        const int64_t slice = fd >= 0 ? INT32_MAX : kSliceMs;
        poll(&readable, fd >= 0 ? 1 : 0, static_cast<int>(std::min<int64_t>(left, slice)));
    }
    return false;
}

}  // namespace platform
