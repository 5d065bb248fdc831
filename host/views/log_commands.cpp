#include "log_commands.h"

#include <filesystem>

#include "host/core/connection/port_thread.h"
#include "host/core/export/epoch_export.h"
#include "host/core/frame/main_frame_logic.h"
#include "host/core/intake/veltro_doc.h"
#include "host/core/log/log_file_name.h"
#include "host/core/log/stream_file_thread.h"
#include "host/views/log_file_dialogs.h"
#include "platform/file_profile.h"
#include "platform/folders.h"
#include "platform/text.h"
#include "resources/veltro/command_ids.h"
#include "resources/veltro/strings.h"

namespace {

constexpr char16_t kSettings[] = u"Settings";
constexpr char16_t kDefaultDirLog[] = u"DefaultDirLog";

bool IsRecentFile(unsigned command) {
    return command >= cmd::kFirstRecentFile && command < cmd::kFirstRecentFile + CMainFrameLogic::kRecentFiles;
}

}  // namespace

CLogCommands::CLogCommands(CMainFrameLogic& frame, ILogFileDialogs& dialogs, IErrorReporter& errors)
    : frame(frame),
      profile(frame.Parts().profile),
      log(frame.Parts().log),
      document(frame.Parts().document),
      dialogs(dialogs),
      errors(errors) {}

bool CLogCommands::IsReplaying() const { return log.IsActive() || log.State() == LogState::Open; }

bool CLogCommands::HasFile() const { return log.State() != LogState::None; }

CommandState CLogCommands::QueryPlay(int32_t pacing) const {
    const bool playing = log.State() == LogState::Playing && !log.IsPaused() && log.Pacing() == pacing;
    return CommandState::Enabled(log.State() != LogState::Recording, playing);
}

std::optional<CommandState> CLogCommands::Query(unsigned command) const {
    const bool recording = log.State() == LogState::Recording;
    switch (command) {
        case cmd::kNew:
        case cmd::kSave:
        case cmd::kOpen:
            return CommandState::Enabled(!recording);
        case cmd::kClose:
            return CommandState::Enabled(HasFile());
        case cmd::kExport:
            return CommandState::Enabled(document.History().Count() > 0);
        case cmd::kEject: {
            CommandState state = CommandState::Enabled(HasFile());
            state.hiddenOnToolbar = !HasFile();
            return state;
        }
        case cmd::kStop:
            return CommandState::Enabled(log.IsActive() || recording);
        case cmd::kPause: {
            // A replay that ended stays paused inside, but Stop ended the pause the user sees.
            const bool running = log.IsActive() || recording;
            return CommandState::Enabled(running, running && log.IsPaused());
        }
        case cmd::kRecord:
            return CommandState::Enabled(!HasFile() || (log.State() == LogState::Open && !log.IsReadOnly()), recording);
        case cmd::kStep:
        case cmd::kGotoBegin:
        case cmd::kGotoEnd:
            return CommandState::Enabled(IsReplaying());
        case cmd::kScan:
            return CommandState::Enabled(IsReplaying(), log.State() == LogState::Seeking);
        case cmd::kPlaySlow:
            return QueryPlay(kPacingSlow);
        case cmd::kPlayNormal:
            return QueryPlay(kPacingNormal);
        case cmd::kPlayFast:
            return QueryPlay(kPacingFast);
        default:
            if (IsRecentFile(command)) return CommandState::Enabled(!recording);
            return {};
    }
}

bool CLogCommands::Execute(unsigned command) {
    switch (command) {
        case cmd::kNew:
            NewRecording();
            break;
        case cmd::kSave:
            SaveHistory();
            break;
        case cmd::kOpen:
            OpenLog();
            break;
        case cmd::kClose:
        case cmd::kEject:
            log.CloseFile();
            break;
        case cmd::kExport:
            Export();
            break;
        case cmd::kStop:
            log.Stop();
            break;
        case cmd::kPause:
            TogglePause();
            break;
        case cmd::kRecord:
            Record();
            break;
        case cmd::kStep:
            log.Step();
            break;
        case cmd::kPlaySlow:
            Play(kPacingSlow);
            break;
        case cmd::kPlayNormal:
            Play(kPacingNormal);
            break;
        case cmd::kPlayFast:
            Play(kPacingFast);
            break;
        case cmd::kScan:
            Scan();
            break;
        case cmd::kGotoBegin:
            GotoBegin();
            break;
        case cmd::kGotoEnd:
            GotoEnd();
            break;
        default:
            if (!IsRecentFile(command)) return false;
            OpenRecentFile(command - cmd::kFirstRecentFile);
    }
    return true;
}

// A remembered folder that is gone, or that lies among the kernel's files, is not started in.
std::string CLogCommands::DialogFolder() const {
    const std::string folder = platform::WideToUtf8(profile.GetString(kSettings, kDefaultDirLog, u""));
    return platform::IsOrdinaryFolder(folder) ? folder : platform::HomeFolder();
}

std::optional<std::string> CLogCommands::AskSaveFile() {
    return dialogs.AskSaveFile(DialogFolder(), ProposeLogFileName(frame.Parts().port.CurrentPort()));
}

void CLogCommands::RememberFolder(const std::string& path) {
    const std::string folder = std::filesystem::path(path).parent_path().string();
    profile.WriteString(kSettings, kDefaultDirLog, platform::Utf8ToWide(folder));
}

// Only a folder in which a file was created or opened is remembered.
bool CLogCommands::RecordToChosenFile() {
    const std::optional<std::string> path = AskSaveFile();
    if (!path || !frame.RecordTo(*path)) return false;
    RememberFolder(*path);
    frame.AddToRecentFileList(*path);
    return true;
}

void CLogCommands::NewRecording() { RecordToChosenFile(); }

// The recent traffic goes to a file of its own, and the live stream is decoded on.
void CLogCommands::SaveHistory() {
    if (RecordToChosenFile()) log.CloseFile();
}

bool CLogCommands::OpenLog() {
    const std::optional<ILogFileDialogs::OpenChoice> choice = dialogs.AskOpenFile(DialogFolder());
    if (!choice || !frame.OpenDocumentFile(choice->path, choice->readOnly)) return false;
    RememberFolder(choice->path);
    return true;
}

void CLogCommands::Record() {
    if (HasFile())
        log.StartRecording();
    else
        NewRecording();
}

void CLogCommands::Play(int32_t pacing) {
    if (!HasFile() && !OpenLog()) return;
    log.SetPacing(pacing);
    log.Play();
    log.SetPaused(false);
}

// Decodes the rest of the log without drawing, up to its end or until paused.
void CLogCommands::Scan() {
    log.Seek(log.Length());
    log.SetPaused(false);
}

// A paused replay shows where it stopped.
void CLogCommands::TogglePause() {
    log.TogglePause();
    if (log.IsPaused()) document.ForceUpdate();
}

// The replay starts over, and so does what it decoded.
void CLogCommands::GotoBegin() {
    log.Rewind(0);
    document.OnNewDocument();
}

// Skips the rest of the log without decoding it.
void CLogCommands::GotoEnd() {
    log.Rewind(log.Length());
    document.ForceUpdate();
}

void CLogCommands::OpenRecentFile(size_t index) {
    const std::vector<std::string>& files = frame.RecentFiles().Entries();
    if (index < files.size()) frame.OpenDocumentFile(files[index], true);
}

// The epochs of the open log, or of the live session, in the format the file's extension names
// (GPX when it names none).
void CLogCommands::Export() {
    const std::u16string title = document.Title();
    const std::u16string stem = title.substr(0, title.rfind(u'.'));
    const std::optional<std::string> path = dialogs.AskExportFile(DialogFolder(), stem);
    if (!path) return;
    const std::string extension = std::filesystem::path(*path).extension().string();
    const std::optional<ExportFormat> format = ExportFormatNamed(extension.empty() ? "" : extension.substr(1));
    if (!ExportHistory(document, format.value_or(ExportFormat::Gpx), *path))
        errors.ReportError(kExportFailed, platform::Utf8ToWide(*path));
}

std::vector<CommandListItem> CLogCommands::RecentFileItems() const {
    std::vector<CommandListItem> items;
    const std::vector<std::string>& files = frame.RecentFiles().Entries();
    for (size_t i = 0; i < files.size(); ++i) {
        const std::u16string path = platform::Utf8ToWide(files[i]);
        items.push_back({cmd::kFirstRecentFile + static_cast<unsigned>(i), NumberedMenuText(i, path), path});
    }
    return items;
}
