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
    void Show(const std::u16string& text, Icon) override { shown.push_back(text); }
    bool AskYesNo(const std::u16string& text, Icon) override {
        asked.push_back(text);
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

    std::vector<std::u16string> shown;
    std::vector<std::u16string> asked;
    bool answerYes = true;
    std::optional<std::string> saveFile;
    std::optional<OpenChoice> openFile;
    std::optional<std::string> mapFile;
    // The folder the last file dialog started in.
    std::string shownFolder;
    std::u16string proposedMessageName;
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
