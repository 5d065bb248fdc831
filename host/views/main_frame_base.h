#pragma once
#include <QMainWindow>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

#include "host/core/frame/main_frame.h"
#include "host/core/frame/main_frame_logic.h"
#include "host/views/color_table.h"
#include "host/views/command_state.h"
#include "host/views/connection_commands.h"
#include "host/views/log_commands.h"
#include "host/views/view.h"

class IMessageBox;
class ILogFileDialogs;
class IMessageFileDialogs;
class QEventLoop;
class QSplashScreen;

// Where the frame's questions and file dialogs go; the Qt ones where none is given.
struct FramePrompts {
    IMessageBox* messages = nullptr;
    ILogFileDialogs* files = nullptr;
    IMessageFileDialogs* messageFiles = nullptr;
};

// What every main window of the program has: the colour table, the handling of the worker
// threads' messages on the user-interface thread, the two timers (1003: the port watchdog every
// second; 1004: the document's redraw throttle every 50 ms), the port and replay commands, the
// send path, the closing question, and the settings written back when it is destroyed.
class CMainFrameBase : public QMainWindow, public IMainFrame, public IViewHost, private IErrorReporter {
public:
    CMainFrameBase(const FrameParts& parts, const FramePrompts& prompts);
    ~CMainFrameBase() override;

    CMainFrameLogic& Logic() override { return logic; }
    void SetCaption(const std::u16string& caption) override;
    void ShowSplash() override;
    void Show() override;
    // Runs until the window has closed.
    void RunMessageLoop() override;
    // Closes as soon as the open dialogs have been cancelled, without the closing question.
    void CloseWithoutAsking();

    bool SendToReceiver(CMessageNode* node, const uint8_t* bytes, int length) override;
    bool CanSend() const override { return connectionCommands.CanSend(); }
    std::u16string ConnectionText() const override;
    IMessageBox& Messages() override { return messages; }
    IMessageFileDialogs& MessageFiles() override { return messageFiles; }
    ILogFileDialogs& LogFiles() override { return files; }

    const CColorTable& Colors() const { return colors; }

protected:
    const FrameParts& Parts() const { return logic.Parts(); }
    IMessageBox& MessageBox() const { return messages; }
    CConnectionCommands& Connection() { return connectionCommands; }
    CLogCommands& LogCommands() { return logCommands; }

    // The port and replay commands; empty or false for other commands.
    std::optional<CommandState> QueryBaseCommand(unsigned command);
    bool ExecuteBaseCommand(unsigned command);

    // After the connection has handled a read of the port.
    virtual void OnPortRead(uint32_t bytesRead, uint32_t errorBits) = 0;
    // Timer 1003, after the watchdog.
    virtual void OnWatchdogTick() = 0;

    void closeEvent(QCloseEvent* event) override;

private:
    void ReportError(const MessageBoxResource& box, const std::u16string& reason) override;
    void StartTimers();
    void RestoreGeometry();
    void SaveGeometry();
    // May the window close? Asks while a recording runs.
    bool QueryClose();

    CColorTable colors;
    std::unique_ptr<IMessageBox> ownMessages;
    IMessageBox& messages;
    std::unique_ptr<ILogFileDialogs> ownFiles;
    ILogFileDialogs& files;
    std::unique_ptr<IMessageFileDialogs> ownMessageFiles;
    IMessageFileDialogs& messageFiles;
    CMainFrameLogic logic;
    CConnectionCommands connectionCommands;
    CLogCommands logCommands;
    QTimer watchdogTimer;
    QTimer updateTimer;
    QEventLoop* messageLoop = nullptr;
    std::unique_ptr<QSplashScreen> splash;
    struct ShownConnection {
        int port = -1;
        uint32_t rate = 0;
        std::string device;
        std::u16string text;
    };
    mutable ShownConnection connectionShown;
    bool closed = false;
    bool askBeforeClosing = true;
};
