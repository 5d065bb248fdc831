#include "progress_view.h"

#include <QProgressBar>

#include "host/views/command_bar.h"
#include "host/views/message_box.h"
#include "host/views/text/view_tool_bar.h"
#include "resources/veltro/strings.h"

CProgressView::CProgressView() {
    AddKeyCommand(cmd::kViewTogglePause, QKeySequence(Qt::Key_Pause));
}

CProgressView::~CProgressView() = default;

QToolBar* CProgressView::CreateViewToolBar(QWidget* parent) {
    CViewToolBar* toolBar = NewToolBar(kProgressToolbar, parent);
    progressBar = new QProgressBar(toolBar);
    progressBar->setTextVisible(false);
    toolBar->ReplaceButton(cmd::kProgressBar, progressBar);
    toolBar->UpdateButtons();
    return toolBar;
}

QProgressBar* CProgressView::ProgressBar() const { return progressBar; }

bool CProgressView::CanClose() {
    return finished || Context().host.Messages().Raise(kProcessStillRunning);
}

void CProgressView::SetFinished(bool jobFinished) {
    finished = jobFinished;
    UpdateToolBar();
}

// Posted: the switch destroys this view.
void CProgressView::OnFinished() {
    if (keepOpen) return;
    if (IsWindow()) Context().host.PostCommand(cmd::kSvSummary);
}

// Pause keeps the view open after the job; run lets it close.
CommandState CProgressView::QueryCommand(unsigned command) {
    if (const std::optional<CommandState> state = RunPauseState(command, keepOpen, !finished)) return *state;
    switch (command) {
        case cmd::kProgressAction:
            return CommandState::Enabled(!finished);
        case cmd::kProgressBar:
            return CommandState::Enabled(true);
        default:
            return CReadOnlyEditViewEx::QueryCommand(command);
    }
}

void CProgressView::OnCommand(unsigned command) {
    if (!RunPauseCommand(command, keepOpen)) CReadOnlyEditViewEx::OnCommand(command);
}
