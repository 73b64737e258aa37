#pragma once
// The three download commands as the view runs them on the user-interface thread.

#include <cstdint>
#include <optional>
#include <string>

#include "transfers/TransferEnvironment.h"

namespace halvex {

// The command's name, as its menu item has it: "Download Tamsel Data", "Download Brenno Data";
// "Download Corvane Data" for the command without a menu item.
std::string DownloadCommandName(InstrumentFamily family);

// Refuses while a transfer runs, asks ConfirmUnsaved, then starts the download worker with its
// own copy of `family`, traced where env.traces asks for it. Returns the family the worker was
// started for, or nothing when the command was refused or declined (nothing changed then).
std::optional<InstrumentFamily> RunDownloadCommand(InstrumentFamily family,
                                                   const TransferEnvironment& env);

}  // namespace halvex
