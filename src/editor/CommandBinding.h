#pragma once
// Each receiver on the route binds the rows of the command table that name it: their handlers,
// with the conditions that enable and check them, go into the receiver's CommandMap.

#include "editor/CommandTable.h"
#include "editor/CommandTarget.h"

class QObject;

namespace halvex {

void BindCommands(CHalvexView& view, CommandMap& map);
void BindCommands(CHalvexDoc& document, CommandMap& map);
// The main window or the application: their rows name slots, looked up on `receiver` by name.
// A name it does not have is a fault in the table, and the program stops with it.
void BindCommands(QObject& receiver, CommandReceiver kind, CommandMap& map);

}  // namespace halvex
