#pragma once
// One transfer at a time. A second transfer would insert into the same editor as the first, and a
// conversion would replace the text a running transfer is still writing, so while a worker runs,
// transfer and conversion commands are refused with a message instead of being started.

#include "common/UserDialogs.h"
#include "transfers/WorkerRegistry.h"

namespace halvex {

inline constexpr const char* kTransferRunningMessage =
    "A transfer is still running. Wait until it has finished, then try again.";

// True (after telling the user) when a worker is still running and the command must not start.
bool RefuseWhileTransferRuns(const WorkerRegistry& workers, UserDialogs& dialogs);

}  // namespace halvex
