#pragma once
#include <functional>
#include <span>

#include "host/views/command_state.h"
#include "resources/veltro/main_menu.h"

class QMenu;

// Fills a context menu from its table, submenus included: each item shows what the target's
// update handler decides (enabled, checked) and hands its command to run when chosen.
void FillCommandMenu(QMenu& menu, std::span<const MenuEntry> entries, ICommandTarget& target,
                     const std::function<void(unsigned)>& run);
