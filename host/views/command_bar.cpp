#include "command_bar.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QToolBar>
#include <stack>

#include "host/views/toolbar_icons.h"

namespace {

constexpr char kPlaceholderProperty[] = "veltroPlaceholder";

unsigned CommandOf(const QAction& action) { return action.data().toUInt(); }

bool IsPlaceholder(const QAction& action) { return action.property(kPlaceholderProperty).toBool(); }

bool InRange(const QAction& action, unsigned first, unsigned last) {
    const unsigned command = CommandOf(action);
    return !action.isSeparator() && !action.menu() && command >= first && command <= last;
}

QString ShortcutOf(const char16_t* text) { return QString::fromUtf16(text).section(u'\t', 1); }

}  // namespace

CCommandBar::CCommandBar(QMainWindow& window, ICommandTarget& target) : QObject(&window), target(target) {
    BuildMenuBar(window);
    BuildToolBar(window);
}

void CCommandBar::BuildMenuBar(QMainWindow& window) {
    std::stack<QMenu*> open;
    for (const MenuEntry& entry : kMainMenu) {
        switch (entry.kind) {
            case MenuEntryKind::Popup: {
                const QString title = QString::fromUtf16(entry.text);
                QMenu* menu = open.empty() ? window.menuBar()->addMenu(title) : open.top()->addMenu(title);
                if (open.empty()) {
                    menus.push_back(menu);
                    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenu(*menu); });
                }
                open.push(menu);
                break;
            }
            case MenuEntryKind::EndPopup:
                open.pop();
                break;
            case MenuEntryKind::Separator:
                open.top()->addSeparator();
                break;
            case MenuEntryKind::Item:
                open.top()->addAction(NewAction(entry, open.top(), true));
                break;
        }
    }
}

void CCommandBar::BuildToolBar(QMainWindow& window) {
    toolBar = window.addToolBar(QStringLiteral("Main"));
    toolBar->setObjectName(QStringLiteral("MainToolBar"));
    toolBar->setMovable(false);
    for (const MenuEntry& entry : kMainToolbar) {
        if (entry.kind == MenuEntryKind::Separator)
            toolBar->addSeparator();
        else
            AddToolBarButton(entry);
    }
}

void CCommandBar::AddToolBarButton(const MenuEntry& entry) {
    QAction* button = NewAction(entry, toolBar, false);
    button->setIcon(CommandIcon(entry.command));
    toolBar->addAction(button);
}

QAction* CCommandBar::NewAction(const MenuEntry& entry, QObject* parent, bool withShortcut) {
    auto* action = new QAction(QString::fromUtf16(entry.text), parent);
    const unsigned command = entry.command;
    action->setData(command);
    connect(action, &QAction::triggered, this, [this, command] { Run(command); });
    const QString shortcut = ShortcutOf(entry.text);
    // A shortcut works whatever the item showed when its menu last dropped down.
    if (withShortcut && !shortcut.isEmpty()) {
        auto* key = new QShortcut(QKeySequence(shortcut), qobject_cast<QWidget*>(this->parent()));
        connect(key, &QShortcut::activated, this, [this, command] { Run(command); });
    }
    return action;
}

void CCommandBar::AddList(unsigned first, unsigned last, ListSource source) {
    const QAction* item = MenuAction(first);
    lists.push_back({first, last, std::move(source), item ? item->text() : QString()});
}

void CCommandBar::Run(unsigned command) {
    if (target.QueryCommand(command).enabled) target.OnCommand(command);
}

void CCommandBar::UpdateMenu(QMenu& menu) {
    RebuildLists(menu);
    for (QAction* action : menu.actions()) {
        if (action->menu())
            UpdateMenu(*action->menu());
        else if (!action->isSeparator() && !IsPlaceholder(*action))
            Apply(*action, &menu);
    }
}

void CCommandBar::UpdateToolBar() {
    for (QAction* action : toolBar->actions())
        if (!action->isSeparator()) Apply(*action, nullptr);
}

void CCommandBar::Apply(QAction& action, QMenu* menu) {
    const CommandState state = target.QueryCommand(CommandOf(action));
    if (state.removed && menu) menu->removeAction(&action);
    if (!menu) action.setVisible(!state.removed && !state.hiddenOnToolbar);
    action.setEnabled(state.enabled && !state.removed);
    action.setCheckable(state.checked);
    action.setChecked(state.checked);
}

void CCommandBar::RebuildLists(QMenu& menu) {
    for (const CommandList& list : lists) {
        const QList<QAction*> actions = menu.actions();
        if (std::any_of(actions.begin(), actions.end(),
                        [&](const QAction* a) { return InRange(*a, list.first, list.last); }))
            RebuildList(menu, list);
    }
}

void CCommandBar::RebuildList(QMenu& menu, const CommandList& list) {
    QAction* before = nullptr;
    std::vector<QAction*> old;
    for (QAction* action : menu.actions()) {
        if (InRange(*action, list.first, list.last))
            old.push_back(action);
        else if (!old.empty() && !before)
            before = action;
    }
    for (QAction* action : old) delete action;

    std::vector<CommandListItem> items = list.source();
    if (items.empty()) {
        auto* placeholder = new QAction(list.placeholder, &menu);
        placeholder->setData(list.first);
        placeholder->setProperty(kPlaceholderProperty, true);
        placeholder->setEnabled(false);
        menu.insertAction(before, placeholder);
        return;
    }
    for (const CommandListItem& item : items) {
        QAction* action = NewAction({MenuEntryKind::Item, item.command, item.text.c_str()}, &menu, false);
        action->setStatusTip(QString::fromStdU16String(item.prompt));
        menu.insertAction(before, action);
    }
}

QAction* CCommandBar::ToolBarAction(unsigned command) const {
    for (QAction* action : toolBar->actions())
        if (!action->isSeparator() && CommandOf(*action) == command) return action;
    return nullptr;
}

namespace {
QAction* FindIn(const QMenu& menu, unsigned command) {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindIn(*sub, command)) return found;
        } else if (!action->isSeparator() && CommandOf(*action) == command) {
            return action;
        }
    }
    return nullptr;
}
}  // namespace

QAction* CCommandBar::MenuAction(unsigned command) const {
    for (const QMenu* menu : menus)
        if (QAction* found = FindIn(*menu, command)) return found;
    return nullptr;
}

std::vector<QMenu*> CCommandBar::Menus() const { return menus; }
