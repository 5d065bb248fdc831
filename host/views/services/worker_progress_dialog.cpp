#include "worker_progress_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "host/views/messages/message_form_page.h"
#include "host/views/qt_text.h"
#include "resources/veltro/program_resources.h"

CWorkerProgressDialog::CWorkerProgressDialog(std::shared_ptr<platform::CMessageWindow> frameWindow,
                                             WorkerProcedure procedure, QWidget* parent)
    : QDialog(parent),
      page(new CMessageFormPage(*kProgramResources.FindDialog(dialog::kWorkerProgress), QColor(), this)),
      procedure(std::move(procedure)),
      run(std::move(frameWindow), *this) {
    setWindowTitle(ToQString(dialog::kWorkerProgressCaption));
    if (auto* status = qobject_cast<QLabel*>(page->ControlWidget(dialog::kProgressStatus))) status->setWordWrap(true);
    // The handheld's title bar had the cancel button.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page);
    layout->addWidget(buttons);
    poll.setInterval(kPollMs);
    connect(&poll, &QTimer::timeout, this, [this] { run.Poll(); });
}

// The worker goes before the page it reports to.
CWorkerProgressDialog::~CWorkerProgressDialog() { run.Cancel(); }

bool CWorkerProgressDialog::Start() {
    if (!run.Start(procedure)) return false;
    poll.start();
    return true;
}

int CWorkerProgressDialog::Run() { return Start() ? exec() : QDialog::Rejected; }

void CWorkerProgressDialog::reject() {
    poll.stop();
    run.Cancel();
    QDialog::reject();
}

void CWorkerProgressDialog::OnStatusText(const std::u16string& text) {
    page->SetControlText(dialog::kProgressStatus, text);
}

void CWorkerProgressDialog::OnProgressRange(int minimum, int maximum) {
    page->SetRange(dialog::kProgressBar, minimum, maximum);
}

void CWorkerProgressDialog::OnProgressPosition(int position) { page->SetPosition(dialog::kProgressBar, position); }

void CWorkerProgressDialog::OnWorkerEnded(int exitCode) {
    poll.stop();
    if (exitCode == kWorkerDone) accept();
}
