#include "log_read_view.h"

#include <QFileDialog>

#include "host/core/log/log_file.h"
#include "host/core/log/log_file_texts.h"
#include "host/views/message_box.h"
#include "resources/veltro/strings.h"

CLogReadView::CLogReadView(FilePrompt prompt) : prompt(std::move(prompt)) {}

bool CLogReadView::OnCreate() {
    const std::optional<std::string> path = prompt(parentWidget());
    if (!path) return false;
    auto file = std::make_unique<CLogFile>();
    if (!file->Open(*path, LogOpenMode::Record)) {
        Context().host.Messages().Show(kLogNotCreated.text, IMessageBox::Icon::Stop);
        return false;
    }
    Run(std::make_unique<CLoggerRetrieval>(Site(), std::move(file)));
    return true;
}

std::optional<std::string> CLogReadView::AskLoggerFile(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QString::fromUtf16(kSaveLoggerTitle));
    dialog.setNameFilter(QString::fromUtf16(kLoggerFilter) + ";;" + QString::fromUtf16(kAllFilesFilter));
    dialog.setDefaultSuffix(QStringLiteral("kvb"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QString::fromUtf16(kLoggerProposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString chosen = dialog.selectedFiles().front();
    if (!QFileInfo(chosen).absoluteDir().exists()) return std::nullopt;
    return QFile::encodeName(chosen).toStdString();
}
