#pragma once
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string_view>

#include "host/views/text/edit_text_buffer.h"
#include "host/views/text/read_only_edit_view.h"
#include "host/views/text/text_view_format.h"

// A read-only text that grows at the bottom, drops its oldest lines, follows the newest line
// unless the user is reading elsewhere, and shows what was appended only when the document's
// throttled refresh comes: appends go to the buffer, and the widget takes them over in one step.
class CReadOnlyEditViewEx : public CReadOnlyEditView {
public:
    CReadOnlyEditViewEx();

    void SetLineLimits(int maxLines, int extraLines);
    void Clear();

    // Line breaks inside the text are hidden; the line ends with a break.
    void AppendLine(std::u16string_view text);
    // "HH:MM:SS  text" with the document's receiver time, as AppendLine.
    void AppendStampedLine(std::u16string_view text);
    // As AppendStampedLine, with each line feed starting an indented continuation line.
    void AppendStampedBlock(std::u16string_view text);
    // The text as it is: line feeds break lines, nothing is added.
    void AppendText(std::u16string_view text);
    // printf style on a wide format; %s takes UTF-8.
    void AppendFormat(const char16_t* format, ...);

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;

    const CEditTextBuffer& Buffer() const { return buffer; }
    // Text appended but not yet shown.
    bool HasPendingText() const { return changed; }
    // Shows what was appended since the last refresh.
    void Refresh();

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // The effect of the run and pause buttons (RunPauseState) on paused; false for other commands.
    static bool RunPauseCommand(unsigned command, bool& paused);

private:
    void Append(std::u16string_view converted);
    // Brings the widget to the buffer's text; answers the characters and lines it dropped.
    std::pair<int, int> TakeOverText();
    void NoteInteraction();
    void ShowCaret(bool shown);
    void ApplyFont();

    CEditTextBuffer buffer;
    // The absolute part of the text that the widget shows.
    uint64_t shownStart = 0;
    uint64_t shownEnd = 0;
    bool changed = false;
    uint32_t lastInteraction;
    bool selecting = false;
    bool recentlyScrolled = false;
    // Text appended outside the document's updates (a progress view's job) still shows.
    QTimer lateRefresh;
};
