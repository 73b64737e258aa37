#pragma once
// Starting a transfer whose line is traced. When the environment has a trace sink that gives the
// transfer a place, the worker runs with its port wrapped (TracedPort: every byte and wait), its
// messages noted in the trace, and the trace ends and is written
//   - when the transfer fails: before its failure message is shown (UserDialogs::ShowFailure),
//     so that the message can name the file, and the file is there while the message is read;
//   - otherwise when the worker has ended: "completed" or "stopped".
// Without a sink, or when the sink gives no place, the transfer starts exactly as it would
// untraced, and nothing is recorded.

#include <functional>
#include <string>

#include "transfers/TransferEnvironment.h"
#include "transfers/TransferOutcome.h"

namespace halvex {

// Starts a worker (StartDownload, StartUploadTransfer) with the environment given and the report
// of its end; false when no worker was started.
using TransferStarter = std::function<bool(const TransferEnvironment&, TransferDone)>;

// Starts the transfer of `command` (its menu name, "Upload Tamsel Coordinate") through `start`,
// traced where env.traces asks for it; `done` learns the end after the trace is written.
bool StartTraced(const TransferEnvironment& env, const std::string& command,
                 const TransferStarter& start, TransferDone done = {});

// The line under a failure message that names the trace: where it was written, or why not.
std::string TraceWrittenNote(const std::string& path, const std::string& error);

}  // namespace halvex
