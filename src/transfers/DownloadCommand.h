#pragma once
// The three download commands as the view runs them on the user-interface thread.

#include <cstdint>
#include <optional>

#include "transfers/TransferEnvironment.h"

namespace halvex {

// Refuses while a transfer runs, asks ConfirmUnsaved, then starts the download worker with its
// own copy of `family`. Returns the family the worker was started for, or nothing when the
// command was refused or declined (nothing changed then).
std::optional<InstrumentFamily> RunDownloadCommand(InstrumentFamily family,
                                                   const TransferEnvironment& env);

}  // namespace halvex
