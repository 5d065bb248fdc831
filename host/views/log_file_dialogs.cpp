#include "log_file_dialogs.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QStyle>

#include "host/core/log/log_file_texts.h"
#include "host/core/maps/map_view_state.h"
#include "host/views/qt_text.h"
#include "resources/veltro/strings.h"

namespace {

// Field n of the document template's lines.
QString TemplateField(int n) { return QString::fromUtf16(kDocumentTemplate.text).split(u'\n').value(n); }

QString LogFilter() { return TemplateField(3) + ";;" + QString::fromUtf16(kAllFilesFilter); }

// Tells a file's type by its name alone. Qt's own provider reads a file whose name says nothing
// to guess its type, and some of the kernel's files (/proc/kmsg) block such a read for ever.
class CNameOnlyIconProvider : public QAbstractFileIconProvider {
public:
    QIcon icon(const QFileInfo& info) const override {
        return QApplication::style()->standardIcon(info.isDir() ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
    }
    QString type(const QFileInfo& info) const override {
        if (info.isDir()) return QStringLiteral("Folder");
        return info.suffix().isEmpty() ? QStringLiteral("File") : info.suffix().toUpper() + QStringLiteral(" File");
    }
};

void Prepare(QFileDialog& dialog, const std::string& folder) {
    static CNameOnlyIconProvider nameOnlyIcons;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(&nameOnlyIcons);
    dialog.setNameFilter(LogFilter());
    dialog.setDefaultSuffix(TemplateField(4).mid(1));
    if (!folder.empty()) dialog.setDirectory(QString::fromStdString(folder));
}

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

std::optional<std::string> CQtLogFileDialogs::AskSaveFile(const std::string& folder,
                                                          const std::u16string& proposedName) {
    QFileDialog dialog(parent);
    Prepare(dialog, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(QString::fromStdU16String(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return LocalPath(dialog.selectedFiles().front());
}

namespace {

// The logger's and the configuration's files: KVB logs of their own titles and filters.
std::optional<std::string> AskKvbFile(QWidget* parent, const char16_t* title, const char16_t* filter,
                                      const char16_t* proposedName) {
    QFileDialog dialog(parent);
    Prepare(dialog, {});
    dialog.setWindowTitle(QString::fromUtf16(title));
    dialog.setNameFilter(QString::fromUtf16(filter) + ";;" + QString::fromUtf16(kAllFilesFilter));
    dialog.setDefaultSuffix(QStringLiteral("kvb"));
    if (proposedName) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(QString::fromUtf16(proposedName));
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return LocalPath(dialog.selectedFiles().front());
}

}  // namespace

std::optional<std::string> CQtLogFileDialogs::AskLoggerFile() {
    return AskKvbFile(parent, kSaveLoggerTitle, kLoggerFilter, kLoggerProposedName);
}

std::optional<std::string> CQtLogFileDialogs::AskSaveConfiguration() {
    return AskKvbFile(parent, kSaveConfigurationTitle, kConfigurationFilter, kConfigurationProposedName);
}

std::optional<std::string> CQtLogFileDialogs::AskLoadConfiguration() {
    return AskKvbFile(parent, kLoadConfigurationTitle, kConfigurationFilter, nullptr);
}

// The extension of the filter chosen is added to a name without one.
std::optional<std::string> CQtLogFileDialogs::AskExportFile(const std::string& folder,
                                                            const std::u16string& proposedName) {
    QFileDialog dialog(parent);
    Prepare(dialog, folder);
    dialog.setWindowTitle(QString::fromUtf16(kExportTitle));
    dialog.setNameFilter(QString::fromUtf16(kExportFilters).replace(u'\n', QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const auto suffixOf = [](const QString& filter) { return filter.section(QStringLiteral("*."), 1).chopped(1); };
    dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog, suffixOf](const QString& filter) { dialog.setDefaultSuffix(suffixOf(filter)); });
    dialog.selectFile(QString::fromStdU16String(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return LocalPath(dialog.selectedFiles().front());
}

std::optional<ILogFileDialogs::OpenChoice> CQtLogFileDialogs::AskOpenFile(const std::string& folder) {
    QFileDialog dialog(parent);
    Prepare(dialog, folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    auto* readOnly = new QCheckBox(QString::fromUtf16(kOpenReadOnly), &dialog);
    readOnly->setChecked(true);
    // The dialog's own grid takes the box below its last row.
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return OpenChoice{LocalPath(dialog.selectedFiles().front()), readOnly->isChecked()};
}

// The filters' descriptions show their patterns as the handheld wrote them; Qt reads the patterns
// from the last parentheses, separated by blanks.
std::optional<std::string> CQtLogFileDialogs::AskMapFile(const std::string& folder) {
    QFileDialog dialog(parent);
    Prepare(dialog, folder);
    QStringList filters;
    for (const MapFileFilter& filter : MapFileFilters())
        filters << ToQString(filter.description) + " (" + ToQString(filter.patterns).replace(u';', u' ') + ")";
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDefaultSuffix(QStringLiteral("bmp"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return LocalPath(dialog.selectedFiles().front());
}
