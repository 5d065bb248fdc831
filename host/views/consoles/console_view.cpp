#include "console_view.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include "host/core/intake/veltro_doc.h"
#include "host/views/color_table.h"
#include "host/views/text/view_tool_bar.h"

namespace {

// Marks the stand-ins that the view drew, so that a copy tells them from the text's own characters.
constexpr int kStandInProperty = QTextFormat::UserProperty;

bool IsStandIn(QTextDocument& document, int position) {
    QTextCursor after(&document);
    after.setPosition(position + 1);
    return after.charFormat().boolProperty(kStandInProperty);
}

}  // namespace

CConsoleView::CConsoleView() {
    AddKeyCommand(cmd::kViewTogglePause, QKeySequence(Qt::Key_Pause));
    connect(Edit().document(), &QTextDocument::contentsChange, this,
            [this](int position, int, int added) { ShowHiddenControls(position, added); });
}

void CConsoleView::ShowHiddenControls(int position, int added) {
    QTextDocument& document = *Edit().document();
    QTextCursor cursor(&document);
    cursor.setPosition(position);
    cursor.setPosition(std::min(position + added, document.characterCount() - 1), QTextCursor::KeepAnchor);
    const QString text = cursor.selectedText();
    if (!text.contains(QChar(console::kHiddenControl))) return;
    QTextCharFormat standIn;
    standIn.setProperty(kStandInProperty, true);
    cursor.beginEditBlock();
    for (qsizetype i = text.indexOf(QChar(console::kHiddenControl)); i >= 0;
         i = text.indexOf(QChar(console::kHiddenControl), i + 1)) {
        cursor.setPosition(position + static_cast<int>(i));
        cursor.setPosition(position + static_cast<int>(i) + 1, QTextCursor::KeepAnchor);
        cursor.insertText(QString(QChar(console::kHiddenControlShown)), standIn);
    }
    cursor.endEditBlock();
}

void CConsoleView::CopySelection() {
    const QTextCursor selection = Edit().textCursor();
    QString text = selection.selectedText();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == QChar(console::kHiddenControlShown) &&
            IsStandIn(*Edit().document(), selection.selectionStart() + static_cast<int>(i)))
            text[i] = QChar(console::kHiddenControl);
    QGuiApplication::clipboard()->setText(text.replace(QChar::ParagraphSeparator, u'\n'));
}

bool CConsoleView::eventFilter(QObject* watched, QEvent* event) {
    const bool handled = CReadOnlyEditViewEx::eventFilter(watched, event);
    if (watched != &Edit() || event->type() != QEvent::KeyPress ||
        !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
        return handled;
    CopySelection();
    return true;
}

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
    if (command == cmd::kEditCopy) return CopySelection();
    if (command != cmd::kFilter) return CReadOnlyEditViewEx::OnCommand(command);
    settings.filterEnabled = !settings.filterEnabled;
    ShowFilterColor();
}
