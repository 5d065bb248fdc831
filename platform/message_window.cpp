#include "message_window.h"

#include <chrono>

namespace platform {

struct CMessageWindow::Pending {
    unsigned message;
    uintptr_t wParam;
    intptr_t lParam;
    bool waited;
    bool done = false;
    intptr_t result = 0;
};

CMessageWindow::CMessageWindow(Handler handler) : handler(std::move(handler)), owner(std::this_thread::get_id()) {}

CMessageWindow::~CMessageWindow() { Close(); }

void CMessageWindow::SetWakeUp(std::function<void()> callback) {
    std::lock_guard lock(mutex);
    wakeUp = std::move(callback);
}

void CMessageWindow::Enqueue(const std::shared_ptr<Pending>& pending) {
    std::function<void()> callback;
    {
        std::lock_guard lock(mutex);
        queue.push_back(pending);
        callback = wakeUp;
    }
    queued.notify_all();
    if (callback) callback();
}

intptr_t CMessageWindow::Send(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (IsClosed()) return 0;
    if (std::this_thread::get_id() == owner) return handler(message, wParam, lParam);
    auto pending = std::make_shared<Pending>(Pending{message, wParam, lParam, true});
    Enqueue(pending);
    std::unique_lock lock(mutex);
    handled.wait(lock, [&] { return pending->done || closed; });
    return pending->done ? pending->result : 0;
}

bool CMessageWindow::Post(unsigned message, uintptr_t wParam, intptr_t lParam) {
    if (IsClosed()) return false;
    Enqueue(std::make_shared<Pending>(Pending{message, wParam, lParam, false}));
    return true;
}

// Only what was queued when the call began: a worker that queues again at once waits for the
// next call, so it cannot keep the owner thread from its other work.
int CMessageWindow::DispatchPending() {
    std::deque<std::shared_ptr<Pending>> batch;
    {
        std::lock_guard lock(mutex);
        if (closed) return 0;
        batch.swap(queue);
    }
    int count = 0;
    for (const std::shared_ptr<Pending>& pending : batch) {
        if (IsClosed()) break;
        const intptr_t result = handler(pending->message, pending->wParam, pending->lParam);
        {
            std::lock_guard lock(mutex);
            pending->result = result;
            pending->done = true;
        }
        handled.notify_all();
        ++count;
    }
    return count;
}

int CMessageWindow::WaitAndDispatch(int timeoutMs) {
    {
        std::unique_lock lock(mutex);
        queued.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !queue.empty() || closed; });
    }
    return DispatchPending();
}

void CMessageWindow::Close() {
    {
        std::lock_guard lock(mutex);
        closed = true;
        queue.clear();
    }
    queued.notify_all();
    handled.notify_all();
}

bool CMessageWindow::IsClosed() const {
    std::lock_guard lock(mutex);
    return closed;
}

}  // namespace platform
