#include "command_state.h"

#include "resources/veltro/command_ids.h"

std::optional<CommandState> RunPauseState(unsigned command, bool paused, bool enabled) {
    if (command == cmd::kViewTogglePause) return CommandState::Enabled(true);
    if (command != cmd::kViewPause && command != cmd::kViewRun) return std::nullopt;
    CommandState state = CommandState::Enabled(enabled);
    state.hiddenOnToolbar = paused == (command == cmd::kViewPause);
    return state;
}

std::u16string NumberedMenuText(size_t index, const std::u16string& title) {
    std::u16string text{u'&', static_cast<char16_t>(u'0' + (index + 1) % 10), u' '};
    for (char16_t c : title) {
        text += c;
        if (c == u'&') text += c;
    }
    return text;
}
