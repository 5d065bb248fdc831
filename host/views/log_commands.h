#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/views/command_state.h"

class CMainFrameLogic;
class IErrorReporter;
class CStreamFileThread;
class CVeltroDoc;
class ILogFileDialogs;

namespace platform {
class CFileProfile;
}

// The File menu's log commands, the recent files and the Play menu: recording, saving the recent
// traffic, opening a log and replaying it.
class CLogCommands {
public:
    CLogCommands(CMainFrameLogic& frame, ILogFileDialogs& dialogs, IErrorReporter& errors);

    // Empty for a command that is not one of these.
    std::optional<CommandState> Query(unsigned command) const;
    // False for a command that is not one of these.
    bool Execute(unsigned command);

    // The recent files' entries.
    std::vector<CommandListItem> RecentFileItems() const;

private:
    bool IsReplaying() const;
    bool HasFile() const;
    CommandState QueryPlay(int32_t pacing) const;

    void NewRecording();
    void SaveHistory();
    bool OpenLog();
    void Record();
    void Play(int32_t pacing);
    void TogglePause();
    void Scan();
    void GotoBegin();
    void GotoEnd();
    void OpenRecentFile(size_t index);
    void Export();

    std::string DialogFolder() const;
    std::optional<std::string> AskSaveFile();
    // False when cancelled or when the file could not be created (reported).
    bool RecordToChosenFile();
    void RememberFolder(const std::string& path);

    CMainFrameLogic& frame;
    platform::CFileProfile& profile;
    CStreamFileThread& log;
    CVeltroDoc& document;
    ILogFileDialogs& dialogs;
    IErrorReporter& errors;
};
