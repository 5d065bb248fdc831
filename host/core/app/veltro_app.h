#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/core/app/command_line.h"
#include "host/core/frame/recent_file_list.h"
#include "platform/serial_probe.h"

class CPortThread;
class CStreamFileThread;
class CVeltroDoc;
class IFrameFactory;
class IMainFrame;

namespace platform {
class CFileProfile;
class CMessageWindow;
class CPortMap;
}  // namespace platform

struct AppOptions {
    // The process's arguments, without the program's name.
    std::vector<std::string> arguments;
    // The settings file; empty for the user's own (named after the company and profile keys).
    std::string profilePath;
    // Where the plug-ins are; empty for the executable's folder.
    std::string pluginFolder;
    // Where serial devices are looked for.
    platform::SerialDeviceFolders serialDevices;
};

// The application: its settings, the document, the two worker threads and the main frame, and
// the order in which they come up (InitInstance) and go down (ExitInstance). The frame is made
// by a factory, so that the same application runs with the Qt window or with no window at all.
// Everything runs on the thread that calls InitInstance, except the two workers.
class CVeltroApp {
public:
    static constexpr size_t kHistoryCapacity = 900;
    static constexpr size_t kRecentFiles = 8;
    // How long each worker thread is given to end at exit.
    static constexpr uint32_t kThreadStopTimeoutMs = 5000;

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
    // Opens a log for replay, names the document after it and lists it among the recent files.
    bool OpenDocumentFile(const std::string& path, bool readOnly);
    void AddToRecentFileList(const std::string& path);

    // The title and the version: the main window's caption.
    static std::u16string DisplayName();

    // Valid between InitInstance and ExitInstance.
    platform::CFileProfile& Profile() { return *profile; }
    platform::CPortMap& Ports() { return *ports; }
    CVeltroDoc& Document() { return *document; }
    CPortThread& PortThread() { return *portThread; }
    CStreamFileThread& Log() { return *log; }
    IMainFrame* MainFrame() { return mainFrame.get(); }
    const CVeltroCommandLine& CommandLine() const { return commandLine; }
    const CRecentFileList& RecentFiles() const { return recentFiles; }

private:
    void CreateProfileAndWorkers();
    // Tells what the command line got wrong and answers help and version; true when that is all
    // it asked for.
    bool AnswerCommandLine() const;
    void CreateDocument();
    bool CreateMainFrame();
    void ApplyCommandLine();
    void ConnectToPortDevice(const std::string& device);
    void ConnectToPort(int n);
    bool StartThreads();
    void StopThreads();
    static void Report(const std::string& text);

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
    CRecentFileList recentFiles{kRecentFiles};
    bool running = false;
    int exitCode = 0;
};
