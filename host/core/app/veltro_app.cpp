#include "veltro_app.h"

#include <cstdio>
#include <vector>

#include "host/core/app/app_identity.h"
#include "host/core/connection/port_thread.h"
#include "host/core/frame/main_frame_logic.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/stream_file_thread.h"
#include "platform/file_profile.h"
#include "platform/port_map.h"
#include "platform/text.h"

namespace {

// A worker that would not end runs on until the process ends. It is never destroyed, since that
// would wait for it without limit, and neither is anything it may still use.
void KeepUntilExit(std::shared_ptr<void> object) {
    static auto* kept = new std::vector<std::shared_ptr<void>>();
    kept->push_back(std::move(object));
}

}  // namespace

CVeltroApp::CVeltroApp(AppOptions options, IFrameFactory& frames) : options(std::move(options)), frames(frames) {}

CVeltroApp::~CVeltroApp() {
    if (running) ExitInstance();
}

void CVeltroApp::Report(const std::string& text) const {
    std::fprintf(stderr, "%s: %s\n", options.programName.c_str(), text.c_str());
}

bool CVeltroApp::InitInstance() {
    running = true;
    exitCode = 1;
    CreateProfileAndWorkers();
    // Parsing only records the options; they take effect once the frame exists. Asking for help
    // therefore ends the program before it touches a port or a setting.
    ParseCommandLine(commandLine);
    if (AnswerCommandLine()) {
        exitCode = 0;
        return false;
    }
    CreateDocument();
    if (!CreateMainFrame()) return false;
    ApplyCommandLine();
    if (commandLine.showSplash) mainFrame->ShowSplash();
    mainFrame->Show();
    if (!StartThreads()) return false;
    exitCode = 0;
    return true;
}

void CVeltroApp::CreateProfileAndWorkers() {
    const std::string profilePath =
        options.profilePath.empty() ? platform::CFileProfile::PathFor(kCompanyKey, kProfileKey) : options.profilePath;
    profile = std::make_unique<platform::CFileProfile>(profilePath, options.saveSettings
                                                                        ? platform::CFileProfile::Access::ReadWrite
                                                                        : platform::CFileProfile::Access::ReadOnly);
    ports = std::make_unique<platform::CPortMap>(*profile, options.serialDevices);
    portThread = std::make_unique<CPortThread>(*ports);
    log = std::make_unique<CStreamFileThread>();
}

bool CVeltroApp::AnswerCommandLine() const {
    for (const std::string& problem : commandLine.problems) Report(problem);
    return AnswerHelpOrVersion(commandLine);
}

bool CVeltroApp::AnswerHelpOrVersion(const CVeltroCommandLine& info) {
    if (info.showHelp) std::fputs(CVeltroCommandLine::UsageText().c_str(), stdout);
    if (info.showVersion) std::printf("%s\n", platform::WideToUtf8(AppDisplayName()).c_str());
    return info.showHelp || info.showVersion;
}

// The document loads the plug-ins; both workers cut their streams with every protocol they bring.
void CVeltroApp::CreateDocument() {
    const uint32_t pluginFlags = options.pluginFlags | (commandLine.extendedPages ? kPluginExtendedMode : 0);
    document = std::make_unique<CVeltroDoc>(
        DocumentSettings{kHistoryCapacity, options.pluginFolder, profile.get(), pluginFlags});
    for (const auto& protocol : document->Plugins().Protocols())
        portThread->AddProtocol(protocol.get(), protocol->check);
    document->Plugins().RegisterWith(log->Splitter());
}

bool CVeltroApp::CreateMainFrame() {
    const FrameParts parts{*document, *portThread, *log,
                           *profile,  *ports,      options.runConnection ? &*options.runConnection : nullptr};
    mainFrame = frames.CreateMainFrame(parts);
    if (!mainFrame) {
        Report("the main window could not be created");
        return false;
    }
    frameWindow = mainFrame->Logic().Window();
    portThread->SetTarget(frameWindow);
    log->Pacer().SetTarget(frameWindow.get());
    mainFrame->SetCaption(AppDisplayName());
    return true;
}

void CVeltroApp::ParseCommandLine(CVeltroCommandLine& info) const {
    info.ParseArguments(options.arguments);
    if (options.readStoredCommandLine)
        info.ParseText(platform::ReadBoundedText(*profile, u"Settings", u"CommandLine", kMaxStoredCommandLine));
    info.Finish();
}

void CVeltroApp::ApplyCommandLine() {
    MessageMask |= commandLine.messageGroups;
    if (commandLine.historyCapacity) document->History().SetCapacity(static_cast<size_t>(*commandLine.historyCapacity));
    if (commandLine.baudRate && !portThread->SetBaud(*commandLine.baudRate))
        Report(platform::FormatC("the port does not take %u baud", *commandLine.baudRate));
    ConnectAsCommandLineAsks();
    if (!commandLine.fileName.empty()) mainFrame->Logic().OpenDocumentFile(commandLine.fileName, true);
}

void CVeltroApp::ConnectAsCommandLineAsks() {
    CMainFrameLogic& frame = mainFrame->Logic();
    if (!commandLine.portDevice.empty()) {
        if (!frame.ConnectToDevice(commandLine.portDevice))
            Report("port " + commandLine.portDevice + " could not be opened");
    } else if (commandLine.portNumber && !frame.ConnectToPort(*commandLine.portNumber)) {
        Report(platform::FormatC("port COM%d could not be opened", *commandLine.portNumber));
    }
}

bool CVeltroApp::StartThreads() {
    if (portThread->Start(ThreadPriority::BelowNormal) && log->Pacer().Start(ThreadPriority::Lowest)) return true;
    Report("the worker threads could not be started");
    return false;
}

int CVeltroApp::ExitInstance() {
    if (!running) return exitCode;
    running = false;
    // Everything the parts below save goes to the file in one write.
    platform::CFileProfile::CWriteBatch batch(*profile);
    mainFrame.reset();
    StopThreads();
    document.reset();
    return exitCode;
}

// The frame's window is closed by now, so no worker waits on the user-interface thread.
void CVeltroApp::StopThreads() {
    portThread->Close();
    const bool portEnded = portThread->Wait(kThreadStopTimeoutMs);
    log->Pacer().Stop();
    const bool logEnded = log->Pacer().Wait(kThreadStopTimeoutMs);
    if (!portEnded) {
        Report("the port thread did not end in time");
        // It may still call the plug-ins' recognisers, which the document would unload.
        KeepUntilExit(std::move(portThread));
        KeepUntilExit(std::move(document));
    }
    if (!logEnded) {
        Report("the log thread did not end in time");
        KeepUntilExit(std::move(log));
        KeepUntilExit(frameWindow);
    }
    frameWindow.reset();
}
