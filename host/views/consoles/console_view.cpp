#include "console_view.h"

#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/text/view_tool_bar.h"

CConsoleView::CConsoleView() { AddKeyCommand(cmd::kViewTogglePause, QKeySequence(Qt::Key_Pause)); }

void CConsoleView::OnInitialUpdate() {
    CReadOnlyEditViewEx::OnInitialUpdate();
    Clear();
}

void CConsoleView::OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) {
    if (!IsWindow()) return;
    if ((hint & HINT_MESSAGE) && hintObject && !settings.paused)
        if (const std::optional<std::u16string> entry = BuildEntry(*hintObject)) AddEntry(*entry);
    CReadOnlyEditViewEx::OnUpdate(sender, hint, hintObject);
}

void CConsoleView::AddEntry(std::u16string_view text) {
    if (Passes(text)) AppendStampedBlock(text);
}

bool CConsoleView::Passes(std::u16string_view text) const {
    if (settings.paused) return false;
    return !(settings.filterEnabled && filterApplied) || text.find(settings.filter) != std::u16string_view::npos;
}

QToolBar* CConsoleView::CreateViewToolBar(QWidget* parent) {
    CViewToolBar* toolBar = NewToolBar(kConsoleToolbar, parent);
    filterEdit = new QLineEdit(toolBar);
    filterEdit->setMaxLength(static_cast<int>(console::kMaxFilterLength));
    filterEdit->setText(QString::fromStdU16String(settings.filter));
    connect(filterEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { TakeFilterText(text.toStdU16String()); });
    toolBar->ReplaceButton(cmd::kFilterEdit, filterEdit);
    UpdateToolBar();
    ShowFilterColor();
    return toolBar;
}

QLineEdit* CConsoleView::FilterEdit() const { return filterEdit; }

void CConsoleView::TakeFilterText(const std::u16string& text) {
    settings.filter = text.substr(0, console::kMaxFilterLength);
    filterApplied = true;
    ShowFilterColor();
    if (auto* frame = qobject_cast<QMainWindow*>(window())) frame->statusBar()->clearMessage();
}

void CConsoleView::ShowFilterColor() {
    if (!filterEdit || !IsWindow()) return;
    const bool colored = settings.filterEnabled && !filterApplied;
    if (filterColored == colored) return;
    filterColored = colored;
    QPalette palette;
    if (colored) palette.setColor(QPalette::Base, Context().colors.Color(CColorTable::kRejectedInput));
    filterEdit->setPalette(palette);
}

void CConsoleView::RefreshViewState() { block = console::EncodeState(settings); }

void CConsoleView::ApplyViewState() {
    settings = console::DecodeState(block);
    if (filterEdit) {
        const QSignalBlocker quiet(filterEdit.data());
        filterEdit->setText(QString::fromStdU16String(settings.filter));
    }
    TakeFilterText(settings.filter);
    UpdateToolBar();
}

CommandState CConsoleView::QueryCommand(unsigned command) {
    if (const std::optional<CommandState> state = RunPauseState(command, settings.paused, true)) return *state;
    switch (command) {
        case cmd::kFilter:
            return CommandState::Enabled(true, settings.filterEnabled);
        case cmd::kFilterEdit:
            return CommandState::Enabled(settings.filterEnabled);
        default:
            return CReadOnlyEditViewEx::QueryCommand(command);
    }
}

void CConsoleView::OnCommand(unsigned command) {
    if (RunPauseCommand(command, settings.paused)) return;
    if (command != cmd::kFilter) return CReadOnlyEditViewEx::OnCommand(command);
    settings.filterEnabled = !settings.filterEnabled;
    ShowFilterColor();
}
