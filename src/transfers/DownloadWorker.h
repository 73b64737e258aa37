#pragma once
// The download receiver: opens the port, prompts the user, and reads the instrument's output
// byte by byte, putting each line into the editor as soon as its LF arrives, until the family's
// terminator, a time-out or a read failure. The editor is read-only while it receives.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

#include "transfers/CommunicationMessages.h"
#include "transfers/TransferEnvironment.h"
#include "transfers/TransferOutcome.h"

namespace halvex {

inline constexpr const char* kDownloadPromptStationFirst =
    "Please press enter on total station first,then press enter on computer!";
inline constexpr const char* kDownloadPromptComputerFirst =
    "Please press enter on total computer,then press enter on total station!";
inline constexpr const char* kCommunicationTimeOutMessage = "Communication time out";
inline constexpr const char* kDownloadTooLargeMessage =
    "The download does not fit into the editor, which holds at most 1048575 characters. The "
    "lines received so far are kept; the rest of the download was not received.";

// The editor cannot hold a byte of value 0; each received one is shown as SUB instead.
inline constexpr char kNulSubstitute = 0x1A;
// The notice after a download that contained such bytes.
std::string NulBytesReplacedMessage(std::size_t count);

// MoveCaretTo clamps to the end of the text.
inline constexpr std::size_t kCaretToEnd = std::numeric_limits<std::size_t>::max();

// Runs one download on the calling thread. `family` is the worker's own copy; the protocol and
// the other settings are read live from env.settings.
// A stop (env.workers.StopAll) ends it with "Transfer stopped. N lines were received.", or
// without any message when the stop is silent or the program is closing.
TransferOutcome DownloadWorker(const TransferEnvironment& env, InstrumentFamily family);

// Starts DownloadWorker on a thread tracked by env.workers and returns at once; false when no
// thread could be started. `done`, when given, learns how the worker ended.
bool StartDownload(TransferEnvironment env, InstrumentFamily family, TransferDone done = {});

}  // namespace halvex
