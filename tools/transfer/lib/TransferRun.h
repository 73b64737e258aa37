#pragma once
// One command-line transfer from start to end: the same workers as the window's Comm commands
// (so every byte on the line is the same), with the editor in memory, the message boxes on
// standard error, Ctrl+C and SIGTERM as Stop Transfer, and the progress on a terminal.

#include "transfer/lib/TransferArguments.h"

namespace halvex::transfer {

inline constexpr int kExitCompleted = 0;
inline constexpr int kExitFailed = 1;
// A transfer stopped by a signal exits with 128 and the signal's number, as the shell reports a
// program the signal ended: 130 for Ctrl+C, 143 for SIGTERM.
inline constexpr int kExitSignalBase = 128;

// Runs the transfer the arguments describe; returns the exit status.
int RunTransfer(const TransferArguments& args);

}  // namespace halvex::transfer
