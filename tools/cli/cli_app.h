#pragma once
#include <functional>
#include <optional>

#include "host/core/app/veltro_app.h"
#include "host/core/frame/headless_frame.h"
#include "tools/cli/cli_options.h"

// The program for one command of veltro-cli: the same application, start-up and shutdown as the
// window's, with the headless frame. The user's settings (port map, database options) are read
// and left as they are; the receiver, if any, is the command line's, for this run only.
class CCliApp {
public:
    // No connection: the commands that only read a log. The frame's loops end once
    // stopRequested answers true.
    CCliApp(std::function<bool()> stopRequested, std::optional<RunConnection> connection,
            const DocumentOptions& document = {});
    ~CCliApp() { app.ExitInstance(); }
    CCliApp(const CCliApp&) = delete;
    CCliApp& operator=(const CCliApp&) = delete;

    // False, reported, when the program cannot start.
    bool Start() { return app.InitInstance(); }

    CVeltroApp& App() { return app; }
    CVeltroDoc& Document() { return app.Document(); }
    CHeadlessFrame& Frame() { return static_cast<CHeadlessFrame&>(*app.MainFrame()); }

private:
    static AppOptions Options(std::optional<RunConnection> connection, const DocumentOptions& document);

    CHeadlessFrameFactory frames;
    CVeltroApp app;
};
