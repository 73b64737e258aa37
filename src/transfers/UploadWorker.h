#pragma once
// The upload transfer: opens the port, prompts the user, sends the family's job header when asked
// for, then every queued record through the record sender, echoing each sent record into the
// editor, and ends with the family's trailer and "Communication finished".

#include "transfers/RecordSender.h"
#include "transfers/TransferEnvironment.h"
#include "transfers/TransferOutcome.h"

namespace halvex {

inline constexpr const char* kUploadPrompt =
    "Please press enter on total station first,then press enter on computer!";
inline constexpr const char* kCommunicationFinished = "Communication finished";

// Runs one upload on the calling thread with the worker's own copy of the transfer fields.
// `pause` replaces the real per-record pause (tests); empty means sleep.
TransferOutcome UploadWorker(const TransferEnvironment& env, const TransferFields& fields,
                             PauseFunction pause = {});

// Starts UploadWorker on a new thread tracked by env.workers and returns at once. False when
// no thread could be started (the program is closing, or the system refused a thread). `done`,
// when given, learns how the worker ended.
bool StartUploadTransfer(TransferEnvironment env, TransferFields fields, TransferDone done = {});

}  // namespace halvex
