#pragma once
#include <memory>
#include <string>

#include "host/core/connection/connection_settings.h"

class CMainFrameLogic;
class CPortThread;
class CStreamFileThread;
class CVeltroDoc;

namespace platform {
class CFileProfile;
class CPortMap;
}  // namespace platform

// The receiver to connect to in one run, in place of the stored connection settings, which that
// run leaves as they are: for front ends with a command line of their own.
struct RunConnection {
    ConnectionSettings settings;
    // When not empty, the device that the settings' port number stands for in this run.
    std::string device;
};

// What the application hands a frame when it is made: the parts the frame works with, all of
// which outlive it.
struct FrameParts {
    CVeltroDoc& document;
    CPortThread& port;
    CStreamFileThread& log;
    platform::CFileProfile& profile;
    platform::CPortMap& ports;
    // Null: the stored connection settings, written back when the frame goes.
    const RunConnection* runConnection = nullptr;
};

// The program's one top-level window, whatever draws it: the Qt window, or none at all for the
// tests and the command-line tool. Destroying the frame writes its settings back.
class IMainFrame {
public:
    virtual ~IMainFrame() = default;

    virtual CMainFrameLogic& Logic() = 0;
    virtual void SetCaption(const std::u16string& caption) = 0;
    virtual void ShowSplash() = 0;
    virtual void Show() = 0;
    // Handles the frame's messages and timers until the frame closes.
    virtual void RunMessageLoop() = 0;
};

// Lets one application object run with any kind of frame.
class IFrameFactory {
public:
    virtual ~IFrameFactory() = default;
    // Null when the frame cannot be created; the program then ends.
    virtual std::unique_ptr<IMainFrame> CreateMainFrame(const FrameParts& parts) = 0;
};
