#pragma once
#include <string>

#include "resources/veltro/message_boxes.h"

class QWidget;

// The program's message boxes, behind an interface so that tests can answer them.
class IMessageBox {
public:
    using Icon = MessageBoxIcon;

    virtual ~IMessageBox() = default;
    virtual void Show(const std::u16string& text, Icon icon) = 0;
    // True for Yes.
    virtual bool AskYesNo(const std::u16string& text, Icon icon) = 0;

    // A box of the program's table with its buttons and icon, its text followed by detail when
    // there is one; true for OK and Yes.
    bool Raise(const MessageBoxResource& box, const std::u16string& detail = {});
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
