#pragma once
#include <QColor>
#include <QPointer>
#include <span>

#include "host/views/command_state.h"
#include "host/views/view.h"
#include "resources/veltro/main_menu.h"

class CViewToolBar;
class QPlainTextEdit;

// A multi-line text that the user can read, select and copy but not change, on its own
// background colour, with the shared edit context menu (menu 226) on the right button.
class CReadOnlyEditView : public CView, protected ICommandTarget {
public:
    CReadOnlyEditView();
    ~CReadOnlyEditView() override;

    void SetBackgroundColor(const QColor& color);
    QColor BackgroundColor() const { return background; }

    QPlainTextEdit& Edit() const { return *edit; }
    // Runs a command of the view's menu, toolbar or keys if its update handler enables it.
    void RunCommand(unsigned command);
    CommandState QueryCommand(unsigned command) override;
    void OnCommand(unsigned command) override;

protected:
    // The view's toolbar, whose buttons carry their commands to the view.
    CViewToolBar* NewToolBar(std::span<const MenuEntry> entries, QWidget* parent);
    CViewToolBar* ToolBar() const;
    void UpdateToolBar();
    // A command that a key gives while the view has the focus.
    void AddKeyCommand(unsigned command, const QKeySequence& key);

private:
    void ShowContextMenu(const QPoint& at);

    QPlainTextEdit* edit;
    QColor background;
    // The frame owns the toolbar and may destroy it first.
    QPointer<CViewToolBar> toolBar;
};
