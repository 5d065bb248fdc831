#pragma once
#include <optional>
#include <string>

class QWidget;

// The message view's file dialogs, behind an interface so that tests can choose files.
class IMessageFileDialogs {
public:
    virtual ~IMessageFileDialogs() = default;
    // Empty when cancelled.
    virtual std::optional<std::string> AskSaveMessage(const std::u16string& proposedName) = 0;
    virtual std::optional<std::string> AskLoadMessage() = 0;
};

class CQtMessageFileDialogs : public IMessageFileDialogs {
public:
    explicit CQtMessageFileDialogs(QWidget* parent) : parent(parent) {}

    std::optional<std::string> AskSaveMessage(const std::u16string& proposedName) override;
    std::optional<std::string> AskLoadMessage() override;

private:
    QWidget* parent;
};
