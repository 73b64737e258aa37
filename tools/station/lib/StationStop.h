#pragma once
// Ctrl+C (SIGINT) and SIGTERM while the station waits at length on its own (holding the line
// open): caught for as long as this object lives, so that the station can end in order (its
// --link removed, a summary printed) rather than be killed. The signals are blocked in the
// calling thread except inside the waits that pass WaitMask() (ppoll), so one that arrives is
// never missed between two waits. A signal that was ignored when the object was made stays
// ignored.

#include <signal.h>

namespace halvex::station {

class StationStop {
public:
    StationStop();
    ~StationStop();
    StationStop(const StationStop&) = delete;
    StationStop& operator=(const StationStop&) = delete;

    // The signal mask to wait with: the calling thread's, with both signals let through.
    const sigset_t& WaitMask() const { return waitMask_; }
    // The number of the signal that arrived; 0 while none has.
    int Received() const;

private:
    sigset_t previousMask_;
    sigset_t waitMask_;
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace halvex::station
