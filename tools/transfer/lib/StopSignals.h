#pragma once
// The user's stop as something the main loop can wait for: Ctrl+C and SIGTERM on Linux, Ctrl+C
// and Ctrl+Break on Windows. While a StopSignals exists, a stop only wakes Wait(), which tells
// the signal's number (SIGINT 2, SIGTERM 15, Ctrl+Break as SIGBREAK 21). Only one may exist at a
// time. One half per platform: StopSignalsPosix.cpp (a handler writing into a pipe) and
// StopSignalsWin32.cpp (a console control handler).

#include <chrono>

namespace halvex::transfer {

// The exit statuses of a stopped transfer here, for the help ("130, 143").
extern const char* const kStopExitStatuses;
extern const char* const kStopExitMeaning;

class StopSignals {
public:
    StopSignals();
    ~StopSignals();  // the earlier handling comes back
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Waits until a stop arrives, Wake() is called or `timeout` has passed: the number of the
    // signal that arrived, or 0.
    int Wait(std::chrono::milliseconds timeout);
    // Ends a Wait at once; may be called from any thread.
    void Wake();
    // From now on a stop is handled as before (by default it ends the program at once): a second
    // Ctrl+C does not wait for the stop that the first one asked for.
    void Release();
};

// Keeps the stop signals away from threads started during its lifetime, so that they reach the
// main thread only. (On Windows the system runs the handler on a thread of its own.)
class BlockedStopSignals {
public:
    BlockedStopSignals();
    ~BlockedStopSignals();
    BlockedStopSignals(const BlockedStopSignals&) = delete;
    BlockedStopSignals& operator=(const BlockedStopSignals&) = delete;
};

}  // namespace halvex::transfer
