#pragma once
#include <atomic>
#include <cstdint>
#include <thread>

#include "platform/event.h"

enum class ThreadPriority { Normal, BelowNormal, Lowest };

// Base of the host's worker threads. The body does one pass of work (DoWork) whenever the stop
// event stays clear for the wait time, and cleans up (OnStop) once it is set. DoWork must not
// block beyond what a stop request can end. A derived class stops and waits for the thread in its
// own destructor, while the members that DoWork uses still live.
class CBaseThread {
public:
    CBaseThread() = default;
    virtual ~CBaseThread();
    CBaseThread(const CBaseThread&) = delete;
    CBaseThread& operator=(const CBaseThread&) = delete;

    // False when the thread cannot be created (or already runs).
    bool Start(ThreadPriority priority);
    virtual void Stop();
    // True when the thread has ended within the time (or never ran); platform::kInfinite waits on.
    bool Wait(uint32_t milliseconds);

protected:
    virtual void DoWork() = 0;
    virtual void OnStop() {}
    void SetWaitTime(uint32_t milliseconds) { waitTime = milliseconds; }

private:
    void Run(ThreadPriority priority);

    platform::CEvent stopEvent{false, false};
    std::atomic<uint32_t> waitTime{0};
    platform::CEvent ended{true, false};
    std::thread thread;
};
