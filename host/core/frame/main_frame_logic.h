#pragma once
#include <cstdint>
#include <functional>
#include <memory>

#include "host/core/connection/connection_control.h"
#include "host/core/frame/main_frame_core.h"
#include "platform/message_window.h"

class CVeltroApp;

// What every main frame does without widgets: it owns the window that the worker threads send
// to and routes their messages to the frame's core and to the connection, reads the connection
// settings when created and writes them back when destroyed, and does the work of the two timers
// that the frame runs (kWatchdogTimerMs: timer 1003, kUpdateTimerMs: timer 1004).
class CMainFrameLogic {
public:
    static constexpr uint32_t kWatchdogTimerMs = 1000;
    static constexpr uint32_t kUpdateTimerMs = 50;

    // The calling thread becomes the user-interface thread. Connects as the settings ask; the
    // frame is complete from then on.
    CMainFrameLogic(CVeltroApp& app, IErrorReporter& errors);
    // Closes the window, which releases every worker waiting on it.
    ~CMainFrameLogic();
    CMainFrameLogic(const CMainFrameLogic&) = delete;
    CMainFrameLogic& operator=(const CMainFrameLogic&) = delete;

    const std::shared_ptr<platform::CMessageWindow>& Window() const { return window; }
    CMainFrameCore& Core() { return core; }
    CConnectionControl& Connection() { return connection; }

    // Closing begins: the port and replay messages are ignored from now on.
    void SetComplete(bool isComplete);

    // Told of every read of the port after the connection has handled it, while the frame is
    // complete: the frame's connection indicator follows the reads.
    using PortReadListener = std::function<void(uint32_t bytesRead, uint32_t errorBits)>;
    void SetPortReadListener(PortReadListener listener) { portReadListener = std::move(listener); }

    void OnWatchdogTimer() { connection.OnWatchdogTimer(); }
    void OnUpdateTimer();

private:
    class CPortWriter : public IPortWriter {
    public:
        explicit CPortWriter(CPortThread& port) : port(port) {}
        int Write(const uint8_t* bytes, int length) override { return port.Write(bytes, length); }

    private:
        CPortThread& port;
    };

    intptr_t OnMessage(unsigned message, uintptr_t wParam, intptr_t lParam);
    void OnPortRead(uint32_t bytesRead, uint32_t errorBits);

    CVeltroApp& app;
    CPortWriter portWriter;
    CMainFrameCore core;
    CConnectionControl connection;
    std::shared_ptr<platform::CMessageWindow> window;
    PortReadListener portReadListener;
    bool complete = false;
};
