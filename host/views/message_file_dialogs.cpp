#include "message_file_dialogs.h"

#include <QFileDialog>

#include "resources/veltro/strings.h"

namespace {

void Prepare(QFileDialog& dialog, const char16_t* title) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QString::fromUtf16(title));
    dialog.setNameFilter(QString::fromUtf16(kMessageFilter) + ";;" + QString::fromUtf16(kAllFilesFilter));
    dialog.setDefaultSuffix(QStringLiteral("kvb"));
}

std::optional<std::string> Chosen(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

}  // namespace

std::optional<std::string> CQtMessageFileDialogs::AskSaveMessage(const std::u16string& proposedName) {
    QFileDialog dialog(parent);
    Prepare(dialog, kSaveMessageTitle);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QString::fromStdU16String(proposedName));
    return Chosen(dialog);
}

std::optional<std::string> CQtMessageFileDialogs::AskLoadMessage() {
    QFileDialog dialog(parent);
    Prepare(dialog, kLoadMessageTitle);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Chosen(dialog);
}

std::optional<std::string> CQtMessageFileDialogs::AskSaveChart(const std::u16string& proposedName) {
    const QString name = QString::fromStdU16String(proposedName);
    const QString suffix = name.section(u'.', -1);
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("%1 (*.%2);;").arg(suffix.toUpper(), suffix) +
                         QString::fromUtf16(kAllFilesFilter));
    dialog.setDefaultSuffix(suffix);
    dialog.selectFile(name);
    return Chosen(dialog);
}
