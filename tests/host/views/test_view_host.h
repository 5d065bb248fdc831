#pragma once
// What views see of a frame in tests: prompts that the test answers, no receiver, and commands
// kept instead of run.
#include <optional>
#include <string>
#include <vector>

#include "host/views/log_file_dialogs.h"
#include "host/views/message_box.h"
#include "host/views/message_file_dialogs.h"
#include "host/views/view.h"

// Answers the program's questions and keeps what it was told.
class FakePrompts : public IMessageBox, public ILogFileDialogs, public IMessageFileDialogs {
public:
    void Show(const std::u16string& text, Icon icon) override {
        shown.push_back(text);
        shownIcons.push_back(icon);
    }
    bool AskYesNo(const std::u16string& text, Icon icon) override {
        asked.push_back(text);
        askedIcons.push_back(icon);
        return answerYes;
    }
    std::optional<std::string> AskSaveFile(const std::string& folder, const std::u16string&) override {
        shownFolder = folder;
        return saveFile;
    }
    std::optional<OpenChoice> AskOpenFile(const std::string& folder) override {
        shownFolder = folder;
        return openFile;
    }

    std::optional<std::string> AskLoggerFile() override { return saveFile; }
    std::optional<std::string> AskExportFile(const std::string&, const std::u16string&) override { return saveFile; }
    std::optional<std::string> AskSaveConfiguration() override { return saveFile; }
    std::optional<std::string> AskLoadConfiguration() override {
        return openFile ? std::optional(openFile->path) : std::nullopt;
    }
    std::optional<std::string> AskMapFile(const std::string& folder) override {
        shownFolder = folder;
        return mapFile;
    }

    std::optional<std::string> AskSaveMessage(const std::u16string& proposedName) override {
        proposedMessageName = proposedName;
        return saveFile;
    }
    std::optional<std::string> AskLoadMessage() override {
        return openFile ? std::optional(openFile->path) : std::nullopt;
    }
    std::optional<std::string> AskSaveChart(const std::u16string& proposedName) override {
        proposedChartName = proposedName;
        return saveFile;
    }

    std::vector<std::u16string> shown;
    std::vector<std::u16string> asked;
    std::vector<Icon> shownIcons;
    std::vector<Icon> askedIcons;
    bool answerYes = true;
    std::optional<std::string> saveFile;
    std::optional<OpenChoice> openFile;
    std::optional<std::string> mapFile;
    // The folder the last file dialog started in.
    std::string shownFolder;
    std::u16string proposedMessageName;
    std::u16string proposedChartName;
};

class TestViewHost : public IViewHost {
public:
    bool SendToReceiver(CMessageNode*, const uint8_t*, int) override { return false; }
    bool CanSend() const override { return false; }
    std::u16string ConnectionText() const override { return u"Not connected"; }
    IMessageBox& Messages() override { return prompts; }
    IMessageFileDialogs& MessageFiles() override { return prompts; }
    ILogFileDialogs& LogFiles() override { return prompts; }
    void PostCommand(unsigned command) override { posted.push_back(command); }

    FakePrompts prompts;
    std::vector<unsigned> posted;
};
