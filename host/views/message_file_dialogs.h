#pragma once
#include <optional>
#include <string>

class QWidget;

// The views' file dialogs (the message view's messages, the chart's data and picture), behind an
// interface so that tests can choose files.
class IMessageFileDialogs {
public:
    virtual ~IMessageFileDialogs() = default;
    // Empty when cancelled.
    virtual std::optional<std::string> AskSaveMessage(const std::u16string& proposedName) = 0;
    virtual std::optional<std::string> AskLoadMessage() = 0;
    // The chart's data (".csv") or picture (".png"), as the proposed name's extension says.
    virtual std::optional<std::string> AskSaveChart(const std::u16string& proposedName) = 0;
};

class CQtMessageFileDialogs : public IMessageFileDialogs {
public:
    explicit CQtMessageFileDialogs(QWidget* parent) : parent(parent) {}

    std::optional<std::string> AskSaveMessage(const std::u16string& proposedName) override;
    std::optional<std::string> AskLoadMessage() override;
    std::optional<std::string> AskSaveChart(const std::u16string& proposedName) override;

private:
    QWidget* parent;
};
