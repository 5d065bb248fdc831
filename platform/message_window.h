#pragma once
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// The stand-in for a window that worker threads send messages to: Send blocks the worker until
// the owner thread has handled the message (the record it points to stays valid meanwhile), Post
// queues without waiting. The owner thread drains the queue with DispatchPending, typically from
// its event loop after the wake-up callback fired. Close ends it: every blocked or later Send
// returns at once with 0, so no worker can hang on an owner that is shutting down.
namespace platform {

constexpr unsigned WM_USER = 0x400;

class CMessageWindow {
public:
    using Handler = std::function<intptr_t(unsigned message, uintptr_t wParam, intptr_t lParam)>;

    // The calling thread becomes the owner thread.
    explicit CMessageWindow(Handler handler);
    ~CMessageWindow();
    CMessageWindow(const CMessageWindow&) = delete;
    CMessageWindow& operator=(const CMessageWindow&) = delete;

    // Called (from any thread) whenever a message was queued, so that an event loop can schedule
    // DispatchPending on the owner thread.
    void SetWakeUp(std::function<void()> wakeUp);

    intptr_t Send(unsigned message, uintptr_t wParam, intptr_t lParam);
    bool Post(unsigned message, uintptr_t wParam, intptr_t lParam);
    // Owner thread: handles the messages queued so far, not those queued meanwhile; returns how
    // many.
    int DispatchPending();
    // Owner thread: waits up to timeoutMs for a message, then dispatches what is queued.
    int WaitAndDispatch(int timeoutMs);
    void Close();
    bool IsClosed() const;

private:
    struct Pending;

    void Enqueue(const std::shared_ptr<Pending>& pending);

    Handler handler;
    const std::thread::id owner;
    std::function<void()> wakeUp;
    mutable std::mutex mutex;
    std::condition_variable queued;
    std::condition_variable handled;
    std::deque<std::shared_ptr<Pending>> queue;
    bool closed = false;
};

}  // namespace platform
