#include "port_thread.h"

#include <chrono>
#include <thread>

#include "host/core/threads/ui_thread_sink.h"

namespace {

constexpr uint8_t kDataBits = 8;

}  // namespace

CPortThread::CPortThread(platform::CPortMap& ports) : com(ports) {
    com.SetLine(kInitialBaudRate, kDataBits, platform::Parity::None, platform::StopBits::One);
    com.SetTimeouts(true, 0, 0, kReadTimeoutMs, 0, 0);
}

CPortThread::~CPortThread() {
    Close();
    Wait(platform::kInfinite);
}

void CPortThread::AddProtocol(const ProtocolEntry* protocol, FrameCheckFn check) {
    splitter.AddProtocol(protocol, check);
}

void CPortThread::SetTarget(std::shared_ptr<platform::CMessageWindow> window) {
    std::lock_guard guard(targetMutex);
    target = std::move(window);
}

std::shared_ptr<platform::CMessageWindow> CPortThread::Target() const {
    std::lock_guard guard(targetMutex);
    return target;
}

std::unique_lock<std::mutex> CPortThread::LockForCaller() {
    ++callersWaiting;
    std::unique_lock guard(lock);
    --callersWaiting;
    return guard;
}

// The reader takes the lock again right after releasing it; without stepping back for a waiting
// caller it could keep that caller out indefinitely.
std::unique_lock<std::mutex> CPortThread::LockForReader() {
    for (;;) {
        std::unique_lock guard(lock);
        if (callersWaiting == 0) return guard;
        guard.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

bool CPortThread::SetPort(int n) {
    if (n < 0 || n == currentPort) return false;
    auto guard = LockForCaller();
    com.Close();
    splitterStale = true;
    const bool opened = n > 0 && com.OpenPort(n) == platform::kSerialOk;
    currentPort = opened ? n : 0;
    if (opened)
        portOpen.Set();
    else
        portOpen.Reset();
    return opened || n == 0;
}

bool CPortThread::SetBaud(uint32_t rate) {
    if (rate == baudRate) return true;
    if (!platform::IsSupportedBaudRate(rate)) return false;
    auto guard = LockForCaller();
    if (!com.SetLine(rate, kDataBits, platform::Parity::None, platform::StopBits::One) && com.IsOpen()) return false;
    baudRate = rate;
    return true;
}

int CPortThread::Write(const uint8_t* bytes, int length) {
    auto guard = LockForCaller();
    const int written = com.Write(bytes, length);
    com.Flush();
    return written;
}

void CPortThread::Close() {
    {
        auto guard = LockForCaller();
        com.Close();
        currentPort = 0;
    }
    portOpen.Set();
    CBaseThread::Stop();
}

int CPortThread::ReadUnderLock(uint32_t& errors) {
    auto guard = LockForReader();
    if (splitterStale.exchange(false)) splitter.Clear();
    splitter.Compact();
    const int count = com.Read(splitter.WritePointer(), splitter.FreeSpace());
    errors = 0;
    if (count > 0) {
        splitter.CommitWrite(count);
        uint32_t queued = 0;
        com.GetErrors(errors, queued);
    }
    return count;
}

void CPortThread::DoWork() {
    uint32_t errors = 0;
    const int count = ReadUnderLock(errors);
    const std::shared_ptr<platform::CMessageWindow> window = Target();
    if (window) ui_thread::SendPortRead(*window, static_cast<uint32_t>(std::max(count, 0)), errors);
    FrameRecord record;
    while (splitter.NextFrame(record))
        if (window) ui_thread::SendPortFrame(*window, record);
    portOpen.Wait(platform::kInfinite);
}
