#pragma once
#include <cstdint>
#include <memory>
#include <string>

class CMainFrameLogic;
class CVeltroApp;

// What WM_SEND_BYTES points to: {0, bytes, length}.
struct SendBytesRecord {
    uintptr_t reserved = 0;
    const uint8_t* bytes = nullptr;
    int length = 0;
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
    virtual std::unique_ptr<IMainFrame> CreateMainFrame(CVeltroApp& app) = 0;
};
