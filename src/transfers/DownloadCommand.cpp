#include "transfers/DownloadCommand.h"

#include "transfers/DownloadWorker.h"
#include "transfers/TracedTransfer.h"
#include "transfers/TransferGuard.h"

namespace halvex {

std::string DownloadCommandName(InstrumentFamily family) {
    switch (family) {
        case InstrumentFamily::Brenno:
            return "Download Brenno Data";
        case InstrumentFamily::Corvane:
            return "Download Corvane Data";
        case InstrumentFamily::Tamsel:
            break;
    }
    return "Download Tamsel Data";
}

std::optional<InstrumentFamily> RunDownloadCommand(InstrumentFamily family,
                                                   const TransferEnvironment& env) {
    if (RefuseWhileTransferRuns(env.workers, env.dialogs)) return std::nullopt;
    if (!env.editor.ConfirmUnsaved()) return std::nullopt;
    // A thread that cannot be started ends the command silently.
    StartTraced(env, DownloadCommandName(family),
                [family](const TransferEnvironment& traced, TransferDone done) {
                    return StartDownload(traced, family, std::move(done));
                });
    return family;
}

}  // namespace halvex
