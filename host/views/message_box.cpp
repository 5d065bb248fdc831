#include "message_box.h"

#include <QMessageBox>

#include "host/core/app/app_identity.h"

namespace {

QMessageBox::Icon QtIcon(IMessageBox::Icon icon) {
    switch (icon) {
        case IMessageBox::Icon::Warning:
            return QMessageBox::Warning;
        case IMessageBox::Icon::Question:
            return QMessageBox::Question;
        case IMessageBox::Icon::Stop:
            return QMessageBox::Critical;
        case IMessageBox::Icon::Information:
            return QMessageBox::Information;
        case IMessageBox::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

int Run(QWidget* parent, const std::u16string& text, IMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QtIcon(icon), QString::fromUtf16(kAppTitle), QString::fromStdU16String(text), buttons, parent);
    return box.exec();
}

}  // namespace

bool IMessageBox::Raise(const MessageBoxResource& box, const std::u16string& detail) {
    const std::u16string text = detail.empty() ? std::u16string(box.text) : box.text + (u"\n\n" + detail);
    if (box.buttons == MessageBoxButtons::YesNo) return AskYesNo(text, box.icon);
    Show(text, box.icon);
    return true;
}

void CQtMessageBox::Show(const std::u16string& text, Icon icon) { Run(parent, text, icon, QMessageBox::Ok); }

bool CQtMessageBox::AskYesNo(const std::u16string& text, Icon icon) {
    return Run(parent, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
