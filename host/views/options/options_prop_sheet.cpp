#include "options_prop_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <utility>

#include "host/core/frame/main_frame_logic.h"
#include "host/views/main_frame_mobile.h"
#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "platform/port_map.h"
#include "resources/veltro/command_ids.h"
#include "resources/veltro/program_resources.h"

COptionsPropPageGeneric::COptionsPropPageGeneric(CMainFrameLogic& frame, const QColor& rejectedColor, QWidget* parent)
    : QWidget(parent),
      frame(frame),
      page(new CMessageFormPage(*kProgramResources.FindDialog(dialog::kOptionsGeneric), rejectedColor, this)),
      form(*page) {
    form.Initialise(GenericOptions::Read(frame), platform::ListSerialDeviceChoices(frame.Parts().ports.Folders()));
    page->SetListener(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
}

void COptionsPropPageGeneric::OnControlChanged(int controlId) {
    form.OnControlChanged(controlId);
    if (rejected != 0) page->SetControlRejected(std::exchange(rejected, 0), false);
    if (onModified) onModified();
}

bool COptionsPropPageGeneric::Apply() {
    GenericOptions options = GenericOptions::Read(frame);
    rejected = form.Read(options);
    if (rejected != 0) {
        page->SetControlRejected(rejected, true);
        if (QWidget* field = page->ControlWidget(rejected)) field->setFocus();
        return false;
    }
    options.Apply(frame);
    form.Initialise(options, platform::ListSerialDeviceChoices(frame.Parts().ports.Folders()));
    if (onModified) onModified();
    return true;
}

COptionsPropSheet::COptionsPropSheet(CMainFrameLogic& frame, const QColor& rejectedColor, QWidget* parent)
    : QDialog(parent),
      generic(new COptionsPropPageGeneric(frame, rejectedColor, this)),
      buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this)) {
    setWindowTitle(ToQString(dialog::kOptionsSheetCaption));
    auto* tabs = new QTabWidget(this);
    tabs->addTab(generic, ToQString(dialog::kOptionsGenericCaption));
    QPushButton* apply = Button(QDialogButtonBox::Apply);
    apply->setEnabled(false);
    generic->SetModifiedListener([this, apply] { apply->setEnabled(generic->IsModified()); });
    connect(apply, &QPushButton::clicked, this, [this] { generic->Apply(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
}

QPushButton* COptionsPropSheet::Button(int standardButton) const {
    return buttons->button(static_cast<QDialogButtonBox::StandardButton>(standardButton));
}

void COptionsPropSheet::accept() {
    if (generic->Apply()) QDialog::accept();
}

void AddOptionsCommands(CMainFrameMobile& frame) {
    frame.SetCommandHandler(
        cmd::kPreferences,
        [&frame] {
            COptionsPropSheet sheet(frame.Logic(), frame.Colors().Color(CColorTable::kRejectedInput), &frame);
            sheet.exec();
        },
        false);
}
