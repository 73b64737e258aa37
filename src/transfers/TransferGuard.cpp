#include "transfers/TransferGuard.h"

namespace halvex {

bool RefuseWhileTransferRuns(const WorkerRegistry& workers, UserDialogs& dialogs) {
    if (workers.RunningCount() == 0) return false;
    dialogs.ShowMessage(kTransferRunningMessage, kProgramCaption, MessageIcon::Warning);
    return true;
}

}  // namespace halvex
