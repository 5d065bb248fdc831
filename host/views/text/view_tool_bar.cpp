#include "view_tool_bar.h"

#include <QAction>

namespace {

unsigned CommandOf(const QAction& action) { return action.data().toUInt(); }

}  // namespace

CViewToolBar::CViewToolBar(std::span<const MenuEntry> entries, ICommandTarget& target, QWidget* parent)
    : QToolBar(parent), target(target) {
    setMovable(false);
    for (const MenuEntry& entry : entries) {
        if (entry.kind == MenuEntryKind::Separator) {
            addSeparator();
            continue;
        }
        QAction* button = addAction(QString::fromUtf16(entry.text));
        const unsigned command = entry.command;
        button->setData(command);
        connect(button, &QAction::triggered, this, [this, command] {
            if (!this->target.QueryCommand(command).enabled) return;
            this->target.OnCommand(command);
            UpdateButtons();
        });
    }
}

void CViewToolBar::ReplaceButton(unsigned command, QWidget* widget) {
    QAction* button = Button(command);
    if (!button) return;
    widget->setSizePolicy(QSizePolicy::Expanding, widget->sizePolicy().verticalPolicy());
    insertWidget(button, widget)->setData(command);
    removeAction(button);
    delete button;
}

void CViewToolBar::UpdateButtons() {
    for (QAction* button : actions()) {
        if (button->isSeparator()) continue;
        const CommandState state = target.QueryCommand(CommandOf(*button));
        button->setVisible(!state.removed && !state.hiddenOnToolbar);
        button->setEnabled(state.enabled && !state.removed);
        button->setCheckable(state.checked);
        button->setChecked(state.checked);
    }
}

QAction* CViewToolBar::Button(unsigned command) const {
    for (QAction* button : actions())
        if (!button->isSeparator() && CommandOf(*button) == command) return button;
    return nullptr;
}
