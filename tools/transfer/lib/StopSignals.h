#pragma once
// Ctrl+C (SIGINT) and SIGTERM as something the main loop can wait for: while a StopSignals
// exists, their handler only writes the signal's number into a pipe, whose reading end the loop
// polls beside its other work. Only one may exist at a time.

namespace halvex::transfer {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();  // the signals' earlier handling comes back
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // Readable once a signal has arrived.
    int Fd() const { return readFd_; }
    // The number of a signal that arrived (and is taken from the pipe), or 0.
    int Take();
    // From now on the signals are handled as before (by default they end the program at once):
    // a second Ctrl+C does not wait for the stop that the first one asked for.
    void Release();

private:
    int readFd_ = -1;
};

// Keeps SIGINT and SIGTERM blocked in the calling thread for its lifetime, so that a thread
// started meanwhile (which inherits the mask) never runs their handler: they reach the main
// thread only.
class BlockedStopSignals {
public:
    BlockedStopSignals();
    ~BlockedStopSignals();
    BlockedStopSignals(const BlockedStopSignals&) = delete;
    BlockedStopSignals& operator=(const BlockedStopSignals&) = delete;
};

}  // namespace halvex::transfer
