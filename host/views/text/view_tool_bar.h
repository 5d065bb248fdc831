#pragma once
#include <QToolBar>
#include <span>

#include "host/views/command_state.h"
#include "resources/veltro/main_menu.h"

// A view's own toolbar, built from its table. Each button carries its command to the view, and
// shows what the view's update handler decides; one button may give its place to a widget (an
// edit box, a progress bar) that stretches to the right edge.
class CViewToolBar : public QToolBar {
public:
    CViewToolBar(std::span<const MenuEntry> entries, ICommandTarget& target, QWidget* parent);

    void ReplaceButton(unsigned command, QWidget* widget);
    void UpdateButtons();
    // The command's button; null when absent.
    QAction* Button(unsigned command) const;

private:
    ICommandTarget& target;
};
