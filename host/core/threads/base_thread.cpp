#include "base_thread.h"

#include <sys/resource.h>
#include <unistd.h>

#include <system_error>

namespace {

// On Linux a nice value set with the thread's id applies to that thread only.
void ApplyPriority(ThreadPriority priority) {
    const int niceness = priority == ThreadPriority::Lowest ? 10 : priority == ThreadPriority::BelowNormal ? 5 : 0;
    if (niceness != 0) setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), niceness);
}

}  // namespace

CBaseThread::~CBaseThread() {
    Stop();
    Wait(platform::kInfinite);
}

bool CBaseThread::Start(ThreadPriority priority) {
    if (thread.joinable()) return false;
    ended.Reset();
    try {
        thread = std::thread(&CBaseThread::Run, this, priority);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void CBaseThread::Stop() { stopEvent.Set(); }

bool CBaseThread::Wait(uint32_t milliseconds) {
    if (!thread.joinable()) return true;
    if (!ended.Wait(milliseconds)) return false;
    thread.join();
    return true;
}

void CBaseThread::Run(ThreadPriority priority) {
    ApplyPriority(priority);
    while (!stopEvent.Wait(waitTime)) DoWork();
    OnStop();
    ended.Set();
}
