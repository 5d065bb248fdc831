#pragma once
#include <functional>
#include <memory>
#include <string>

#include "host/core/frame/main_frame.h"
#include "host/core/frame/main_frame_logic.h"

// A main frame without any window, for the tests and the command-line tool: it does what the Qt
// frame does for the stream and the connection, runs the two timers in its message loop, and
// tells failures on stderr.
class CHeadlessFrame : public IMainFrame, private IErrorReporter {
public:
    // The message loop ends as soon as stopRequested answers true; it asks at least every 50 ms.
    CHeadlessFrame(CVeltroApp& app, std::function<bool()> stopRequested);

    CMainFrameLogic& Logic() override { return logic; }
    void SetCaption(const std::u16string& text) override { caption = text; }
    const std::u16string& Caption() const { return caption; }
    void ShowSplash() override {}
    void Show() override {}
    void RunMessageLoop() override;

private:
    void ReportError(const std::u16string& text) override;

    std::function<bool()> stopRequested;
    std::u16string caption;
    CMainFrameLogic logic;
};

class CHeadlessFrameFactory : public IFrameFactory {
public:
    // Every frame's message loop ends when stopRequested answers true.
    explicit CHeadlessFrameFactory(std::function<bool()> stopRequested) : stopRequested(std::move(stopRequested)) {}

    std::unique_ptr<IMainFrame> CreateMainFrame(CVeltroApp& app) override;

private:
    std::function<bool()> stopRequested;
};
