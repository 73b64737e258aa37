#pragma once
// The three download commands as the view runs them on the user-interface thread.

#include <cstdint>
#include <optional>

#include "serial/TransferEnvironment.h"

namespace halvex {

// Refuses while a transfer runs, asks ConfirmUnsaved, then starts the download worker with its
// own copy of `transferMode` (1 Tamsel, 2 Brenno, 3 Corvane). Returns the TransferMode the view
// must now hold, or nothing when the command was refused or declined (nothing changed then).
std::optional<std::int16_t> RunDownloadCommand(std::int16_t transferMode,
                                               const TransferEnvironment& env);

}  // namespace halvex
