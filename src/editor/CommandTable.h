#pragma once
// The program's commands in one table. A row is one command: its id, its menu item text, its
// status-bar prompt and tooltip, who carries it out and with which handler, when it is enabled
// and checked, the keys that run it and its toolbar button. The main window makes its menus,
// toolbar, keys and prompts from the rows; each receiver on the route binds the rows it carries
// out (editor/CommandBinding.h); -command ID runs the row of ID.
//
// The table sits in the editor layer, the lowest that all four receivers see: the view and the
// document are of this layer, so their rows name member functions; the main window and the
// application are above it, so their rows name slots, which those two look up by name when they
// bind (a name they do not have stops the program at start-up).

#include <QKeyCombination>
#include <array>
#include <span>
#include <variant>

#include "editor/ButtonImages.h"

namespace halvex {

class CHalvexDoc;
class CHalvexView;

// The receivers of a command, in the order a command is offered to them: the first that has a
// handler for it carries it out.
enum class CommandReceiver { View, Document, MainWindow, Application };

// A handler that is a member function of the view or the document, with the conditions that
// enable and check its menu item and button (no condition: always enabled; never checked, and
// the item is not checkable).
template <class Receiver>
struct MemberHandler {
    void (Receiver::*run)();
    bool (Receiver::*enabled)() const = nullptr;
    bool (Receiver::*checked)() const = nullptr;
};

// A handler of the main window or the application: the names of its Q_INVOKABLE members. Each
// takes no argument, or the command id as its one int (the recent files share one handler).
struct SlotHandler {
    CommandReceiver receiver;
    const char* run;
    const char* enabled = nullptr;
    const char* checked = nullptr;
};

using CommandHandlerRef =
    std::variant<MemberHandler<CHalvexView>, MemberHandler<CHalvexDoc>, SlotHandler>;

// Buttons go on the toolbar in order of group, then place, with a separator between two groups.
// Group 0: no button.
struct ToolbarButton {
    int group = 0;
    int place = 0;
    ButtonImage image = nullptr;
};

struct CommandRow {
    int id;              // 0: a separator in its menu
    const char* text;    // the menu item; the text after a TAB is a label only, never a key
    const char* prompt;  // nullptr: the message pane stays empty while it is highlighted
    const char* tooltip;
    CommandHandlerRef handler;
    std::array<QKeyCombination, 2> keys = {};  // Qt::Key_unknown: none
    ToolbarButton button = {};

    bool IsSeparator() const { return id == 0; }
    CommandReceiver Receiver() const;
    bool IsCheckable() const;
};

struct CommandMenu {
    const char* title;
    std::span<const CommandRow> rows;  // the items in order
};

// The menu bar in order.
std::span<const CommandMenu> CommandMenus();
// The commands without a menu item of their own: run by a key or by -command, or shown in the
// File menu in place of "Recent File" (the further recent files).
std::span<const CommandRow> CommandsWithoutMenu();
// The row of `id`, nullptr for an unknown id (and for separators).
const CommandRow* FindCommandRow(int id);

template <class Visit>
void ForEachCommandRow(Visit visit) {
    for (const CommandMenu& menu : CommandMenus()) {
        for (const CommandRow& row : menu.rows) {
            if (!row.IsSeparator()) visit(row);
        }
    }
    for (const CommandRow& row : CommandsWithoutMenu()) visit(row);
}

}  // namespace halvex
