#include "serial/DownloadCommand.h"

#include "serial/DownloadWorker.h"
#include "serial/TransferGuard.h"

namespace halvex {

std::optional<std::int16_t> RunDownloadCommand(std::int16_t transferMode,
                                               const TransferEnvironment& env) {
    if (RefuseWhileTransferRuns(env.workers, env.dialogs)) return std::nullopt;
    if (!env.editor.ConfirmUnsaved()) return std::nullopt;
    StartDownload(env, transferMode);  // a thread that cannot be started ends the command silently
    return transferMode;
}

}  // namespace halvex
