#pragma once
// The command table: for every command id its menu item text (the text after a TAB is a label
// only), its status prompt and its tooltip; the menu bar layout; and the accelerator table.

#include <QKeySequence>
#include <span>

namespace halvex {

struct CommandInfo {
    int id;
    const char* menuText;  // nullptr: the command has no menu item
    const char* prompt;    // nullptr: the message pane stays empty while it is highlighted
    const char* tooltip;   // nullptr: none
};

std::span<const CommandInfo> AllCommands();
// nullptr for an unknown id.
const CommandInfo* FindCommandInfo(int id);

inline constexpr int kSeparator = 0;

struct MenuDefinition {
    const char* title;
    std::span<const int> items;  // command ids in order, kSeparator for a separator
};

std::span<const MenuDefinition> MenuBarLayout();

struct Accelerator {
    QKeySequence keys;
    int id;
};

std::span<const Accelerator> AcceleratorTable();

// Toolbar buttons in order, kSeparator for a separator.
std::span<const int> ToolbarLayout();

}  // namespace halvex
