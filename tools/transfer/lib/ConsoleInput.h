#pragma once
// Waiting for the user's Enter while a prompt shows. One half per platform: ConsoleInputPosix.cpp
// reads a line from a terminal, ConsoleInputWin32.cpp the console's key events.

#include <functional>

namespace halvex::transfer {

// Returns when Enter was pressed on `fd` (a terminal or console), when the input has ended or
// cannot be read, or when `stop` says so; `stop` is asked about ten times a second.
void WaitForEnter(int fd, const std::function<bool()>& stop);

}  // namespace halvex::transfer
