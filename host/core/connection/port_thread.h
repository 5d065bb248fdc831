#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "host/core/connection/baud_rates.h"
#include "host/core/connection/com_port.h"
#include "host/core/intake/frame_splitter.h"
#include "host/core/threads/base_thread.h"
#include "platform/event.h"
#include "platform/message_window.h"

// The worker that reads the receiver's port: each pass reads what arrived (waiting at most
// 100 ms), reports the read and hands every frame to the user-interface thread's sink,
// synchronously, so that the record may point into the splitter. While the port is
// closed the thread sleeps on the port-open event. Port access from other threads (switching,
// rate changes, writes) goes through the port lock.
class CPortThread : public CBaseThread, public IBaudControl {
public:
    static constexpr uint32_t kReadTimeoutMs = 100;
    static constexpr uint32_t kInitialBaudRate = 57600;

    explicit CPortThread(platform::CPortMap& ports);
    ~CPortThread() override;

    // Before Start: registers a protocol's recogniser with the splitter.
    void AddProtocol(const ProtocolEntry* protocol, FrameCheckFn check);
    // The window of the user-interface thread's sink; null for nowhere. A target shutting down closes its
    // window first, which ends a hand-off in progress.
    void SetTarget(std::shared_ptr<platform::CMessageWindow> window);

    // Switches to port n; 0 closes. False for negative n, for the current port and when port n
    // cannot be opened (the port is then closed).
    bool SetPort(int n);
    int CurrentPort() const { return currentPort; }
    // The device of the open port; empty while closed. Opened and closed by the caller's thread
    // only, so that thread reads it without the lock.
    const std::string& DevicePath() const { return com.DevicePath(); }
    bool IsOpen() const { return currentPort != 0; }
    // While closed a supported rate is kept for the next open.
    bool SetBaud(uint32_t rate) override;
    uint32_t BaudRate() const override { return baudRate; }
    // Writes, then waits for the output to leave; returns the count actually written.
    int Write(const uint8_t* bytes, int length);
    platform::SerialError ProbePort(int n) { return com.ProbePort(n); }

    // Closes the port, wakes a reader waiting for it to open and ends the thread.
    void Close();
    void Stop() override { Close(); }

protected:
    void DoWork() override;

private:
    std::unique_lock<std::mutex> LockForCaller();
    std::unique_lock<std::mutex> LockForReader();
    int ReadUnderLock(uint32_t& errors);
    std::shared_ptr<platform::CMessageWindow> Target() const;

    std::atomic<int> currentPort{0};
    std::atomic<uint32_t> baudRate{kInitialBaudRate};
    mutable std::mutex targetMutex;
    std::shared_ptr<platform::CMessageWindow> target;
    // Used by the reader only; a port switch asks it to clear the splitter at its next read.
    CFrameSplitter splitter;
    std::atomic<bool> splitterStale{false};
    platform::CEvent portOpen{true, false};
    std::mutex lock;
    std::atomic<int> callersWaiting{0};
    CComPort com;
};
