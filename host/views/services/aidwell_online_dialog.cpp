#include "aidwell_online_dialog.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "resources/veltro/program_resources.h"

CAidwellOnlineDialog::CAidwellOnlineDialog(const AidwellRequest& request, const CStorageDatabase& database,
                                           const QColor& rejectedColor, QWidget* parent)
    : QDialog(parent),
      request(request),
      database(database),
      page(new CMessageFormPage(*kProgramResources.FindDialog(dialog::kAidwellOnline), rejectedColor, this)),
      form(*page) {
    setWindowTitle(ToQString(dialog::kAidwellOnlineCaption));
    form.Initialise(request);
    page->SetListener(this);
    // The handheld's title bar had the OK button; Cancel is the template's own.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(buttons);
}

void CAidwellOnlineDialog::OnControlChanged(int controlId) {
    if (controlId == dialog::kAidwellUseCurrent) form.UseCurrent(database);
    if (controlId == dialog::kAidwellCancel) reject();
    page->SetControlRejected(controlId, false);
}

void CAidwellOnlineDialog::accept() {
    const int rejected = form.Read(request);
    if (rejected != 0) {
        page->SetControlRejected(rejected, true);
        return;
    }
    QDialog::accept();
}
