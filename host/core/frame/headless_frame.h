#pragma once
#include <functional>
#include <memory>
#include <string>

#include "host/core/frame/main_frame.h"
#include "host/core/frame/main_frame_logic.h"

// A main frame without any window, for the command-line tool and the tests: it does what the Qt
// frame does for the stream and the connection, runs the two timers in its message loop, and
// tells failures on stderr after the program's name.
class CHeadlessFrame : public IMainFrame, private IErrorReporter {
public:
    // The message loop ends as soon as stopRequested answers true; it asks at least every 50 ms.
    CHeadlessFrame(const FrameParts& parts, std::function<bool()> stopRequested, std::string programName);

    CMainFrameLogic& Logic() override { return logic; }
    void SetCaption(const std::u16string& text) override { caption = text; }
    const std::u16string& Caption() const { return caption; }
    void ShowSplash() override {}
    void Show() override {}
    void RunMessageLoop() override;

    // Another window whose hand-offs the message loop handles with the frame's own (a worker's
    // progress), woken by them as by its own; null lets it go.
    void AttachWindow(std::shared_ptr<platform::CMessageWindow> window);
    // After the connection's watchdog, once a second in the message loop.
    void SetWatchdogListener(std::function<void()> listener) { watchdogListener = std::move(listener); }
    // Plays the open log through the replay road as fast as the document decodes it, to its end
    // or until a stop is requested, and closes it.
    void ReplayToEnd();

private:
    // The reason on a line of its own, for scripts that read the first.
    void ReportError(const MessageBoxResource& box, const std::u16string& reason) override;

    std::function<bool()> stopRequested;
    std::string programName;
    std::function<void()> watchdogListener;
    std::shared_ptr<platform::CMessageWindow> attached;
    std::u16string caption;
    CMainFrameLogic logic;
};

class CHeadlessFrameFactory : public IFrameFactory {
public:
    // Every frame's message loop ends when stopRequested answers true.
    explicit CHeadlessFrameFactory(std::function<bool()> stopRequested, std::string programName = "veltro")
        : stopRequested(std::move(stopRequested)), programName(std::move(programName)) {}

    std::unique_ptr<IMainFrame> CreateMainFrame(const FrameParts& parts) override;

private:
    std::function<bool()> stopRequested;
    std::string programName;
};
