#pragma once
#include <optional>
#include <string>
#include <vector>

#include "host/views/command_state.h"

class CMainFrameCore;
class CStreamFileThread;
class CVeltroApp;
class CVeltroDoc;
class ILogFileDialogs;

// The File menu's log commands, the recent files and the Play menu: recording, saving the recent
// traffic, opening a log and replaying it.
class CLogCommands {
public:
    CLogCommands(CVeltroApp& app, CMainFrameCore& core, ILogFileDialogs& dialogs);

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

    // The file the user chose for writing; the folder is remembered for the next dialog.
    std::optional<std::string> AskSaveFile();
    void RememberFolder(const std::string& path);

    CVeltroApp& app;
    CMainFrameCore& core;
    CStreamFileThread& log;
    CVeltroDoc& document;
    ILogFileDialogs& dialogs;
};
