#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/core/app/command_line.h"
#include "host/core/frame/generic_options.h"
#include "host/core/frame/main_frame.h"
#include "platform/serial_probe.h"

namespace platform {
class CMessageWindow;
}

// The mode byte of the flags a plug-in's Initialize receives: its extended pages and choices.
inline constexpr uint32_t kPluginExtendedMode = 1;

struct AppOptions {
    // The process's arguments, without the program's name.
    std::vector<std::string> arguments{};
    // The settings file; empty for the user's own (named after the company and profile keys).
    std::string profilePath{};
    // Where the plug-ins are; empty for the executable's folder.
    std::string pluginFolder{};
    // Handed to every plug-in's Initialize; its low byte set asks for the extended pages and choices.
    uint32_t pluginFlags = 0;
    // Where serial devices are looked for.
    platform::SerialDeviceFolders serialDevices{};
    // The name that the program's reports on stderr begin with.
    std::string programName = "veltro";
    // False for a front end with a command line of its own: the setting "CommandLine" is then
    // not read.
    bool readStoredCommandLine = true;
    // False: the settings are read, and what the run changes stays in memory.
    bool saveSettings = true;
    // The receiver of this run, in place of the stored connection settings.
    std::optional<RunConnection> runConnection{};
};

// The application: its settings, the document, the two worker threads and the main frame, and
// the order in which they come up (InitInstance) and go down (ExitInstance). The frame is made
// by a factory, so that the same application runs with the Qt window or with no window at all.
// Everything runs on the thread that calls InitInstance, except the two workers.
class CVeltroApp {
public:
    static constexpr size_t kHistoryCapacity = 900;
    // How long each worker thread is given to end at exit.
    static constexpr uint32_t kThreadStopTimeoutMs = 5000;
    static constexpr size_t kMaxStoredCommandLine = GenericOptions::kMaxCommandLine;

    CVeltroApp(AppOptions options, IFrameFactory& frames);
    // Ends the application if ExitInstance has not run.
    ~CVeltroApp();
    CVeltroApp(const CVeltroApp&) = delete;
    CVeltroApp& operator=(const CVeltroApp&) = delete;

    // False when the program is to end at once: the frame could not be created, a worker could
    // not be started, or the command line only asked for help or the version.
    bool InitInstance();
    // The program's exit code.
    int ExitInstance();

    // The process's arguments, then the stored setting "CommandLine".
    void ParseCommandLine(CVeltroCommandLine& info) const;
    // Prints the usage or the version when the command line asks for them; true when it did.
    // Needs nothing but the command line, so a front end may answer before it opens a display.
    static bool AnswerHelpOrVersion(const CVeltroCommandLine& info);

    // Valid between InitInstance and ExitInstance.
    platform::CFileProfile& Profile() { return *profile; }
    platform::CPortMap& Ports() { return *ports; }
    CVeltroDoc& Document() { return *document; }
    CPortThread& PortThread() { return *portThread; }
    CStreamFileThread& Log() { return *log; }
    IMainFrame* MainFrame() { return mainFrame.get(); }
    const CVeltroCommandLine& CommandLine() const { return commandLine; }

private:
    void CreateProfileAndWorkers();
    // Tells what the command line got wrong and answers help and version; true when that is all
    // it asked for.
    bool AnswerCommandLine() const;
    void CreateDocument();
    bool CreateMainFrame();
    void ApplyCommandLine();
    void ConnectAsCommandLineAsks();
    bool StartThreads();
    void StopThreads();
    void Report(const std::string& text) const;

    AppOptions options;
    IFrameFactory& frames;
    std::unique_ptr<platform::CFileProfile> profile;
    std::unique_ptr<platform::CPortMap> ports;
    std::unique_ptr<CVeltroDoc> document;
    std::unique_ptr<CPortThread> portThread;
    std::unique_ptr<CStreamFileThread> log;
    std::unique_ptr<IMainFrame> mainFrame;
    // The frame's window outlives the frame until the workers that send to it have ended.
    std::shared_ptr<platform::CMessageWindow> frameWindow;
    CVeltroCommandLine commandLine;
    bool running = false;
    int exitCode = 0;
};
