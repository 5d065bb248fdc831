#pragma once
#include <string>

class QWidget;

// The program's message boxes, behind an interface so that tests can answer them.
class IMessageBox {
public:
    enum class Icon { Information, Warning, Question, Stop };

    virtual ~IMessageBox() = default;
    virtual void Show(const std::u16string& text, Icon icon) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::u16string& text, Icon icon) = 0;
};

// Modal boxes over the parent window, titled with the program's name.
class CQtMessageBox : public IMessageBox {
public:
    explicit CQtMessageBox(QWidget* parent) : parent(parent) {}

    void Show(const std::u16string& text, Icon icon) override;
    bool AskYesNo(const std::u16string& text, Icon icon) override;

private:
    QWidget* parent;
};
