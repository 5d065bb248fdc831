#include "command_menu.h"

#include <QAction>
#include <QMenu>

namespace {

// Fills menu from entries[at] up to the end of its popup; returns the index after it.
size_t FillFrom(QMenu& menu, std::span<const MenuEntry> entries, size_t at, ICommandTarget& target,
                const std::function<void(unsigned)>& run) {
    while (at < entries.size()) {
        const MenuEntry& entry = entries[at++];
        switch (entry.kind) {
            case MenuEntryKind::EndPopup:
                return at;
            case MenuEntryKind::Separator:
                menu.addSeparator();
                break;
            case MenuEntryKind::Popup:
                at = FillFrom(*menu.addMenu(QString::fromUtf16(entry.text)), entries, at, target, run);
                break;
            case MenuEntryKind::Item: {
                const CommandState state = target.QueryCommand(entry.command);
                if (state.removed) break;
                QAction* item = menu.addAction(QString::fromUtf16(entry.text));
                item->setEnabled(state.enabled);
                item->setCheckable(state.checked);
                item->setChecked(state.checked);
                const unsigned command = entry.command;
                QObject::connect(item, &QAction::triggered, &menu, [run, command] { run(command); });
                break;
            }
        }
    }
    return at;
}

}  // namespace

void FillCommandMenu(QMenu& menu, std::span<const MenuEntry> entries, ICommandTarget& target,
                     const std::function<void(unsigned)>& run) {
    FillFrom(menu, entries, 0, target, run);
}
