#pragma once
// How a transfer worker ended, for a caller that waits for it (the command-line transfer); the
// window learns it from the worker's messages instead.

#include <functional>

namespace halvex {

enum class TransferOutcome {
    Completed,  // a download reached its terminator; an upload said "Communication finished"
    Failed,     // the port did not open, the line failed or timed out, the editor was full, ...
    Stopped,    // a stop (the user's, or the program closing) ended it first
};

// Called on the worker's thread as the worker ends.
using TransferDone = std::function<void(TransferOutcome)>;

}  // namespace halvex
