#include "opk_update_view.h"

#include <QProgressBar>

#include "host/services/orbitpack_source.h"
#include "host/views/services/orbitpack_source_dialog.h"
#include "platform/ticks.h"
#include "resources/veltro/command_ids.h"

namespace {
constexpr int kTickMs = 100;
const QColor kFailedColor(255, 192, 192);
const QColor kSucceededColor(192, 255, 192);
}  // namespace

COPKUpdateView::COPKUpdateView(SourcePrompt prompt) : prompt(std::move(prompt)) {
    connect(&timer, &QTimer::timeout, this, [this] { Handle(OrbitpackEvent::Tick); });
}

// The procedure goes first: its download may still run.
COPKUpdateView::~COPKUpdateView() {
    timer.stop();
    update.reset();
}

bool COPKUpdateView::OnCreate() {
    const std::u16string source = prompt(Context().profile, parentWidget());
    if (source.empty()) return false;
    update = std::make_unique<COrbitpackUpdate>(static_cast<IOrbitpackSite&>(*this), source);
    timer.start(kTickMs);
    Post(OrbitpackEvent::Tick);
    return true;
}

void COPKUpdateView::OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) {
    if (const std::optional<OrbitpackEvent> answer = OrbitpackAnswerOf(hint, hintObject)) Post(*answer);
    CProgressView::OnUpdate(sender, hint, hintObject);
}

void COPKUpdateView::OnCommand(unsigned command) {
    if (command == cmd::kProgressAction)
        Post(OrbitpackEvent::Abort);
    else
        CProgressView::OnCommand(command);
}

void COPKUpdateView::Post(OrbitpackEvent event) {
    QMetaObject::invokeMethod(
        this, [this, event] { Handle(event); }, Qt::QueuedConnection);
}

void COPKUpdateView::Handle(OrbitpackEvent event) {
    if (update) update->Handle(event, platform::GetTickCount());
}

void COPKUpdateView::Append(const std::u16string& text) { AppendText(text); }

void COPKUpdateView::SetProgressRange(int minimum, int maximum) {
    if (QProgressBar* bar = ProgressBar()) bar->setRange(minimum, maximum);
}

void COPKUpdateView::SetProgressPosition(int position) {
    if (QProgressBar* bar = ProgressBar()) bar->setValue(position);
}

void COPKUpdateView::OnEnded(bool failed) {
    SetBackgroundColor(failed ? kFailedColor : kSucceededColor);
    SetFinished(true);
}

bool COPKUpdateView::ReadyToSend() const { return Context().host.CanSend() && !KeepOpen(); }

bool COPKUpdateView::Send(const uint8_t* frame, int length) {
    return Context().host.SendToReceiver(nullptr, frame, length);
}

std::u16string COPKUpdateView::AskOrbitpackSource(platform::CProfile& profile, QWidget* parent) {
    OrbitpackSourceDialog dialog(LoadOrbitpackSettings(profile), parent);
    if (dialog.exec() != QDialog::Accepted) return {};
    SaveOrbitpackSettings(profile, dialog.Settings());
    return dialog.Source();
}
