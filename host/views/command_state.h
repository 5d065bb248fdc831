#pragma once
#include <cstddef>
#include <optional>
#include <string>

// What a command's update handler decides before its menu drops down.
struct CommandState {
    bool enabled = false;
    bool checked = false;
    // The command is deleted from the menu and hidden on the toolbar.
    bool removed = false;
    // Only the toolbar's button is hidden.
    bool hiddenOnToolbar = false;

    static CommandState Enabled(bool enabled, bool checked = false) { return {enabled, checked, false, false}; }
};

// An entry of a list that a menu rebuilds each time it drops down (ports, recent files and views).
struct CommandListItem {
    unsigned command;
    std::u16string text;
    // The status-bar prompt; empty for none.
    std::u16string prompt;
};

// "&3 title": the entry at 0-based index 2 of a numbered list; the tenth shows the digit 0. An
// ampersand of the title stays an ampersand.
std::u16string NumberedMenuText(size_t index, const std::u16string& title);

// The run and pause buttons of a view's toolbar (kViewRun, kViewPause), of which only the one that
// changes the state shows, and the keyboard toggle (kViewTogglePause): their state; nothing for
// other commands.
std::optional<CommandState> RunPauseState(unsigned command, bool paused, bool enabled);

// The window that the commands are for.
class ICommandTarget {
public:
    virtual ~ICommandTarget() = default;
    virtual CommandState QueryCommand(unsigned command) = 0;
    virtual void OnCommand(unsigned command) = 0;
};
