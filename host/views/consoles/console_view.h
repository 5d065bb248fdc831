#pragma once
#include <QPointer>
#include <array>
#include <optional>
#include <string>

#include "host/views/consoles/console_format.h"
#include "host/views/text/read_only_edit_view_ex.h"

class QLineEdit;

// The received stream as scrolling text, one stamped entry per message, with run/pause, clear
// and a text filter in its toolbar. Derived consoles say what entry a message gives.
class CConsoleView : public CReadOnlyEditViewEx {
public:
    CConsoleView();

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, uint32_t hint, CMessageNode* hintObject) override;
    QToolBar* CreateViewToolBar(QWidget* parent) override;

    // Adds the entry unless the console is paused or the filter rejects it.
    void AddEntry(std::u16string_view text);

    const console::Settings& Settings() const { return settings; }
    bool FilterApplied() const { return filterApplied; }
    // Null until the toolbar is created, and after the frame destroyed it.
    QLineEdit* FilterEdit() const;

    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

protected:
    // The entry for a message; none when the console shows nothing of it.
    virtual std::optional<std::u16string> BuildEntry(CMessageNode& node) = 0;

    bool eventFilter(QObject* watched, QEvent* event) override;
    std::span<uint8_t> ViewStateBlock() override { return block; }
    void RefreshViewState() override;
    void ApplyViewState() override;

private:
    // Draws kHiddenControlShown where the text that came in holds kHiddenControl.
    void ShowHiddenControls(int position, int added);
    // The selection to the clipboard with kHiddenControl where the view shows its stand-in.
    void CopySelection();
    bool Passes(std::u16string_view text) const;
    void TakeFilterText(const std::u16string& text);
    // The edit box shows a filter that is switched on but not yet taken over.
    void ShowFilterColor();

    console::Settings settings;
    bool filterApplied = false;
    std::array<uint8_t, console::kStateSize> block{};
    QPointer<QLineEdit> filterEdit;
    std::optional<bool> filterColored;
};
