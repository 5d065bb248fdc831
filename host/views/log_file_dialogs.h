#pragma once
#include <optional>
#include <string>

class QWidget;

// The file dialogs of the log commands and of the views' files, behind an interface so that tests can choose files.
class ILogFileDialogs {
public:
    struct OpenChoice {
        std::string path;
        bool readOnly;
    };

    virtual ~ILogFileDialogs() = default;
    // The file for a new recording or a saved history; empty when cancelled.
    virtual std::optional<std::string> AskSaveFile(const std::string& folder, const std::u16string& proposedName) = 0;
    // A log to replay, and whether the read-only box was ticked; empty when cancelled.
    virtual std::optional<OpenChoice> AskOpenFile(const std::string& folder) = 0;
    // The file that the receiver's logger is read into; empty when cancelled.
    virtual std::optional<std::string> AskLoggerFile() = 0;
    // The file that the epochs are exported to, its extension naming the format; empty when
    // cancelled.
    virtual std::optional<std::string> AskExportFile(const std::string& folder, const std::u16string& proposedName) = 0;
    // The file of the receiver's whole configuration, to write and to read; empty when cancelled.
    virtual std::optional<std::string> AskSaveConfiguration() = 0;
    virtual std::optional<std::string> AskLoadConfiguration() = 0;
    // A map picture to open, starting in folder; empty when cancelled.
    virtual std::optional<std::string> AskMapFile(const std::string& folder) = 0;
};

class CQtLogFileDialogs : public ILogFileDialogs {
public:
    explicit CQtLogFileDialogs(QWidget* parent) : parent(parent) {}

    std::optional<std::string> AskSaveFile(const std::string& folder, const std::u16string& proposedName) override;
    std::optional<OpenChoice> AskOpenFile(const std::string& folder) override;
    std::optional<std::string> AskLoggerFile() override;
    std::optional<std::string> AskExportFile(const std::string& folder, const std::u16string& proposedName) override;
    std::optional<std::string> AskSaveConfiguration() override;
    std::optional<std::string> AskLoadConfiguration() override;
    std::optional<std::string> AskMapFile(const std::string& folder) override;

private:
    QWidget* parent;
};
