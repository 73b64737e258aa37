#include "transfers/DownloadCommand.h"

#include "transfers/DownloadWorker.h"
#include "transfers/TransferGuard.h"

namespace halvex {

std::optional<InstrumentFamily> RunDownloadCommand(InstrumentFamily family,
                                                   const TransferEnvironment& env) {
    if (RefuseWhileTransferRuns(env.workers, env.dialogs)) return std::nullopt;
    if (!env.editor.ConfirmUnsaved()) return std::nullopt;
    StartDownload(env, family);  // a thread that cannot be started ends the command silently
    return family;
}

}  // namespace halvex
