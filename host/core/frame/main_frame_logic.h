#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/core/connection/connection_control.h"
#include "host/core/frame/main_frame.h"
#include "host/core/frame/main_frame_core.h"
#include "host/core/frame/recent_file_list.h"
#include "host/core/threads/ui_thread_sink.h"

// What every main frame does without widgets: it owns the window that the worker threads hand
// their work to and routes it to the frame's core and to the connection, reads the connection
// settings and the recent files when created and writes them back when destroyed, offers the
// frame's verbs (connect, open, record, send), and does the work of the two timers that the frame
// runs (kWatchdogTimerMs: timer 1003, kUpdateTimerMs: timer 1004).
class CMainFrameLogic : private IUiThreadSink {
public:
    static constexpr uint32_t kWatchdogTimerMs = 1000;
    static constexpr uint32_t kUpdateTimerMs = 50;
    static constexpr size_t kRecentFiles = 8;

    // The calling thread becomes the user-interface thread. Connects as the settings ask; the
    // frame is complete from then on.
    CMainFrameLogic(const FrameParts& parts, IErrorReporter& errors);
    // Closes the window, which releases every worker waiting on it.
    ~CMainFrameLogic() override;
    CMainFrameLogic(const CMainFrameLogic&) = delete;
    CMainFrameLogic& operator=(const CMainFrameLogic&) = delete;

    const FrameParts& Parts() const { return parts; }
    const std::shared_ptr<platform::CMessageWindow>& Window() const { return window; }
    CMainFrameCore& Core() { return core; }
    CConnectionControl& Connection() { return connection; }
    const CRecentFileList& RecentFiles() const { return recentFiles; }

    // Closing begins: the port and replay hand-offs are ignored from now on.
    void SetComplete(bool isComplete);

    // Opens port n, also when it is open already (it may stand for another device now), and
    // remembers it; false when it cannot be opened.
    bool ConnectToPort(int n);
    // The device stands for the number of the port in use, or of the one remembered, for this
    // run only.
    bool ConnectToDevice(const std::string& device);
    // Opens a log for replay, names the document after it and lists it among the recent files;
    // one that cannot be opened is reported and leaves them.
    bool OpenDocumentFile(const std::string& path, bool readOnly);
    void AddToRecentFileList(const std::string& path);
    bool RecordTo(const std::string& path) { return core.RecordTo(path); }
    // Moves the replay to a byte offset of the log: forward by decoding up to it without
    // drawing, backward by decoding again from the start. The replay pauses there.
    void SeekReplay(int64_t offset);
    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) {
        return core.SendToReceiver(node, bytes, length);
    }

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

    void OnPortRead(uint32_t bytesRead, uint32_t errorBits) override;
    void OnPortFrame(const FrameRecord& record) override { core.OnPortFrame(&record, true); }
    void OnFileFrame() override { core.OnFileFrame(); }
    bool OnSendBytes(const uint8_t* bytes, int length) override { return core.SendToReceiver(nullptr, bytes, length); }

    FrameParts parts;
    CPortWriter portWriter;
    CMainFrameCore core;
    CConnectionControl connection;
    CRecentFileList recentFiles{kRecentFiles};
    std::shared_ptr<platform::CMessageWindow> window;
    PortReadListener portReadListener;
    bool complete = false;
};
