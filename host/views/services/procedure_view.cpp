#include "procedure_view.h"

#include <QProgressBar>

#include "platform/ticks.h"
#include "resources/veltro/command_ids.h"

namespace {
const QColor kFailedColor(255, 192, 192);
const QColor kSucceededColor(192, 255, 192);
}  // namespace

CProcedureView::CProcedureView() {
    connect(&timer, &QTimer::timeout, this, [this] {
        if (procedure) procedure->Tick(platform::GetTickCount());
    });
}

// The procedure goes first: a thread of its own may still run.
CProcedureView::~CProcedureView() {
    timer.stop();
    procedure.reset();
}

void CProcedureView::Run(std::unique_ptr<IReceiverProcedure> created) {
    procedure = std::move(created);
    timer.start(static_cast<int>(procedure->TickMs()));
    Post([](IReceiverProcedure& running, uint32_t now) { running.Tick(now); });
}

void CProcedureView::OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) {
    if (procedure)
        if (const std::optional<int> answer = procedure->TakeAnswer(hint, hintObject))
            Post([event = *answer](IReceiverProcedure& running, uint32_t now) { running.Answer(event, now); });
    CProgressView::OnUpdate(sender, hint, hintObject);
}

void CProcedureView::OnCommand(unsigned command) {
    if (command == cmd::kProgressAction)
        Post([](IReceiverProcedure& running, uint32_t now) { running.Abort(now); });
    else
        CProgressView::OnCommand(command);
}

void CProcedureView::Post(std::function<void(IReceiverProcedure&, uint32_t now)> event) {
    QMetaObject::invokeMethod(
        this,
        [this, event = std::move(event)] {
            if (procedure) event(*procedure, platform::GetTickCount());
        },
        Qt::QueuedConnection);
}

void CProcedureView::Append(const std::u16string& text) { AppendText(text); }

void CProcedureView::SetProgressRange(int minimum, int maximum) {
    if (QProgressBar* bar = ProgressBar()) bar->setRange(minimum, maximum);
}

void CProcedureView::SetProgressPosition(int position) {
    if (QProgressBar* bar = ProgressBar()) bar->setValue(position);
}

void CProcedureView::OnEnded(bool failed) {
    SetBackgroundColor(failed ? kFailedColor : kSucceededColor);
    SetFinished(true);
}

bool CProcedureView::ReadyToSend() const { return Context().host.CanSend() && !KeepOpen(); }

bool CProcedureView::Send(const uint8_t* frame, int length) {
    return Context().host.SendToReceiver(nullptr, frame, length);
}
