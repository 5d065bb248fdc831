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
            break;
    }
    return QMessageBox::Information;
}

int Run(QWidget* parent, const std::u16string& text, IMessageBox::Icon icon, QMessageBox::StandardButtons buttons) {
    QMessageBox box(QtIcon(icon), QString::fromUtf16(kAppTitle), QString::fromStdU16String(text), buttons, parent);
    return box.exec();
}

}  // namespace

void CQtMessageBox::Show(const std::u16string& text, Icon icon) { Run(parent, text, icon, QMessageBox::Ok); }

bool CQtMessageBox::AskYesNo(const std::u16string& text, Icon icon) {
    return Run(parent, text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}
