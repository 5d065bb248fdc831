#include "orbitpack_source_dialog.h"

#include <QFileDialog>
#include <QVBoxLayout>

#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "resources/veltro/program_resources.h"

OrbitpackSourceDialog::OrbitpackSourceDialog(const OrbitpackSettings& settings, QWidget* parent, BrowseFn browse)
    : QDialog(parent),
      settings(settings),
      browse(std::move(browse)),
      page(new CMessageFormPage(*kProgramResources.FindDialog(dialog::kLinkPrompt), Qt::white, this)) {
    setWindowTitle(ToQString(dialog::kLinkPromptCaption));
    page->SetListener(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    Initialise();
}

// The stored source selects its item, or stands in the edit field; nothing stored, the first item.
void OrbitpackSourceDialog::Initialise() {
    page->ClearItems(dialog::kLinkPromptSource);
    for (const char16_t* item : kOrbitpackItems) page->AddItem(dialog::kLinkPromptSource, item);
    if (settings.link.empty()) return page->SetSelection(dialog::kLinkPromptSource, 0);
    for (size_t k = 0; k < kOrbitpackItems.size(); ++k)
        if (settings.link == kOrbitpackItems[k])
            return page->SetSelection(dialog::kLinkPromptSource, static_cast<int>(k));
    page->SetControlText(dialog::kLinkPromptSource, settings.link);
}

void OrbitpackSourceDialog::OnControlChanged(int controlId) {
    if (controlId == dialog::kLinkPromptBrowse) Browse();
    if (controlId == dialog::kLinkPromptOk) accept();
    if (controlId == dialog::kLinkPromptCancel) reject();
}

void OrbitpackSourceDialog::Browse() {
    const std::optional<std::u16string> chosen = browse(this, settings.dir);
    if (!chosen) return;
    settings.dir = *chosen;
    page->SetControlText(dialog::kLinkPromptSource, *chosen);
}

void OrbitpackSourceDialog::accept() {
    settings.link = page->GetControlText(dialog::kLinkPromptSource);
    source = ResolveOrbitpackSource(settings.link, settings.linkPrefix);
    QDialog::accept();
}

std::optional<std::u16string> OrbitpackSourceDialog::BrowseForOrbitpack(QWidget* parent, const std::u16string& start) {
    QFileDialog dialog(parent, {}, ToQString(start), QStringLiteral("Orbitpack (*.opk);;All Files (*.*)"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("opk"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().first().toStdU16String();
}
