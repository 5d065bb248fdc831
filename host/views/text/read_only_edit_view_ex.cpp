#include "read_only_edit_view_ex.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>
#include <cstdarg>

#include "host/core/intake/veltro_doc.h"
#include "host/views/qt_text.h"
#include "platform/text.h"
#include "platform/ticks.h"

namespace {

// The ceiling of the document's redraw throttle.
constexpr int kLateRefreshMs = 500;

int ShiftedBack(int position, int removed) { return std::max(0, position - removed); }

}  // namespace

CReadOnlyEditViewEx::CReadOnlyEditViewEx() : lastInteraction(platform::GetTickCount()) {
    Edit().installEventFilter(this);
    Edit().viewport()->installEventFilter(this);
    for (QScrollBar* bar : {Edit().verticalScrollBar(), Edit().horizontalScrollBar()})
        connect(bar, &QAbstractSlider::actionTriggered, this, [this] {
            recentlyScrolled = true;
            NoteInteraction();
        });
    lateRefresh.setSingleShot(true);
    lateRefresh.setInterval(kLateRefreshMs);
    connect(&lateRefresh, &QTimer::timeout, this, &CReadOnlyEditViewEx::Refresh);
}

void CReadOnlyEditViewEx::SetLineLimits(int maxLines, int extraLines) {
    if (buffer.SetLineLimits(maxLines, extraLines) == 0) return;
    changed = true;
    Refresh();
}

void CReadOnlyEditViewEx::Clear() {
    buffer.Clear();
    changed = true;
    Refresh();
}

void CReadOnlyEditViewEx::AppendLine(std::u16string_view text) { Append(text_view::Line(text)); }

void CReadOnlyEditViewEx::AppendStampedLine(std::u16string_view text) {
    AppendLine(text_view::Stamped(IsWindow() ? Document().LastEpochTime() : -1, text));
}

void CReadOnlyEditViewEx::AppendStampedBlock(std::u16string_view text) {
    Append(text_view::Block(text_view::Stamped(IsWindow() ? Document().LastEpochTime() : -1, text)));
}

void CReadOnlyEditViewEx::AppendText(std::u16string_view text) { Append(text_view::Plain(text)); }

void CReadOnlyEditViewEx::AppendFormat(const char16_t* format, ...) {
    va_list args;
    va_start(args, format);
    const std::u16string text = platform::FormatWv(format, args);
    va_end(args);
    AppendText(text);
}

void CReadOnlyEditViewEx::Append(std::u16string_view converted) {
    buffer.Append(converted);
    changed = true;
    if (!lateRefresh.isActive()) lateRefresh.start();
}

void CReadOnlyEditViewEx::OnInitialUpdate() {
    ApplyFont();
    CReadOnlyEditView::OnInitialUpdate();
}

void CReadOnlyEditViewEx::OnUpdate(CView*, uint32_t hint, CMessageNode*) {
    if (!IsWindow()) return;
    if (hint & HINT_NEW_DOCUMENT) Clear();
    if ((hint & HINT_FORCED) || ((hint & HINT_REFRESH_DUE) && changed)) Refresh();
}

void CReadOnlyEditViewEx::Refresh() {
    lateRefresh.stop();
    if (!changed) return;
    changed = false;
    QPlainTextEdit& edit = Edit();
    QTextCursor cursor = edit.textCursor();
    const int anchor = cursor.anchor();
    const int position = cursor.position();
    const int verticalScroll = edit.verticalScrollBar()->value();
    const int horizontalScroll = edit.horizontalScrollBar()->value();
    const FollowState state{selecting, position == edit.document()->characterCount() - 1, recentlyScrolled,
                            platform::GetTickCount() - lastInteraction};

    const auto [removedCharacters, removedLines] = TakeOverText();

    const FollowDecision decision = DecideFollow(state);
    const int end = edit.document()->characterCount() - 1;
    if (decision.caretToEnd) {
        cursor.setPosition(end);
    } else {
        cursor.setPosition(std::min(ShiftedBack(anchor, removedCharacters), end));
        cursor.setPosition(std::min(ShiftedBack(position, removedCharacters), end), QTextCursor::KeepAnchor);
    }
    edit.setTextCursor(cursor);
    if (decision.scrollToEnd) {
        edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum());
        ShowCaret(false);
    } else {
        edit.verticalScrollBar()->setValue(ShiftedBack(verticalScroll, removedLines));
        ShowCaret(true);
    }
    // Following the end starts again at the left edge; a reader elsewhere keeps their column.
    const bool followsEnd = decision.caretToEnd && decision.scrollToEnd;
    edit.horizontalScrollBar()->setValue(followsEnd ? 0 : horizontalScroll);
    if (followsEnd) recentlyScrolled = false;
    UpdateToolBar();
}

std::pair<int, int> CReadOnlyEditViewEx::TakeOverText() {
    QTextDocument& document = *Edit().document();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    int removedCharacters = 0;
    int removedLines = 0;
    if (buffer.StartOffset() >= shownEnd) {
        // Nothing that the widget shows is left.
        removedCharacters = document.characterCount();
        removedLines = document.blockCount();
        cursor.select(QTextCursor::Document);
        cursor.insertText(ToQString(buffer.Text()));
    } else {
        removedCharacters = static_cast<int>(buffer.StartOffset() - shownStart);
        removedLines = document.findBlock(removedCharacters).blockNumber();
        cursor.setPosition(removedCharacters, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(ToQString(buffer.Text().substr(static_cast<size_t>(shownEnd - buffer.StartOffset()))));
    }
    cursor.endEditBlock();
    shownStart = buffer.StartOffset();
    shownEnd = buffer.EndOffset();
    return {removedCharacters, removedLines};
}

void CReadOnlyEditViewEx::NoteInteraction() { lastInteraction = platform::GetTickCount(); }

void CReadOnlyEditViewEx::ShowCaret(bool shown) { Edit().setCursorWidth(shown ? 1 : 0); }

void CReadOnlyEditViewEx::ApplyFont() {
    QFont font = RequestFont(u"Courier New", 12);
    font.setPointSizeF(EditFontTenths(Context().density.y) / 10.0);
    Edit().setFont(font);
}

bool CReadOnlyEditViewEx::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            if (watched != &Edit()) break;
            ShowCaret(true);
            recentlyScrolled = false;
            NoteInteraction();
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
            if (watched != Edit().viewport() || static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) break;
            selecting = event->type() == QEvent::MouseButtonPress;
            if (selecting) ShowCaret(true);
            NoteInteraction();
            break;
        default:
            break;
    }
    return CReadOnlyEditView::eventFilter(watched, event);
}

bool CReadOnlyEditViewEx::RunPauseCommand(unsigned command, bool& paused) {
    switch (command) {
        case cmd::kViewPause:
            paused = true;
            return true;
        case cmd::kViewRun:
            paused = false;
            return true;
        case cmd::kViewTogglePause:
            paused = !paused;
            return true;
        default:
            return false;
    }
}

CommandState CReadOnlyEditViewEx::QueryCommand(unsigned command) {
    if (command == cmd::kEditClearAll) return CommandState::Enabled(!buffer.IsEmpty());
    return CReadOnlyEditView::QueryCommand(command);
}

void CReadOnlyEditViewEx::OnCommand(unsigned command) {
    if (command == cmd::kEditClearAll) Clear();
    if (command == cmd::kEditSelectAll) NoteInteraction();
    CReadOnlyEditView::OnCommand(command);
}
