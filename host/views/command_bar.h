#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "host/views/command_state.h"
#include "resources/veltro/main_menu.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The menu bar and the main toolbar, built from their tables. Every item carries its command;
// before a menu drops down, the lists in it are rebuilt and every item's update handler runs.
// A command runs only while its update handler enables it, whichever way it was chosen.
class CCommandBar : public QObject {
public:
    using ListSource = std::function<std::vector<CommandListItem>()>;

    CCommandBar(QMainWindow& window, ICommandTarget& target);

    // The commands first … last form a list in the menu that holds first. An empty list shows the
    // table's item first, disabled.
    void AddList(unsigned first, unsigned last, ListSource source);

    // Runs the command if its update handler enables it.
    void Run(unsigned command);
    // What Qt does before the menu shows: lists rebuilt, every item (also in submenus) updated.
    void UpdateMenu(QMenu& menu);
    void UpdateToolBar();

    QToolBar& ToolBar() const { return *toolBar; }
    // The item of the command in the menus, or its button on the toolbar; null when absent.
    QAction* MenuAction(unsigned command) const;
    QAction* ToolBarAction(unsigned command) const;
    std::vector<QMenu*> Menus() const;

private:
    struct CommandList {
        unsigned first;
        unsigned last;
        ListSource source;
        QString placeholder;
    };

    void BuildMenuBar(QMainWindow& window);
    void BuildToolBar(QMainWindow& window);
    void AddToolBarButton(const MenuEntry& entry);
    QAction* NewAction(const MenuEntry& entry, QObject* parent, bool withShortcut);
    void RebuildLists(QMenu& menu);
    void RebuildList(QMenu& menu, const CommandList& list);
    void Apply(QAction& action, QMenu* menu);

    ICommandTarget& target;
    QToolBar* toolBar = nullptr;
    std::vector<QMenu*> menus;
    std::vector<CommandList> lists;
};
