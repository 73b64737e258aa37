#include "station/lib/StationStop.h"

#include <csignal>

namespace halvex::station {

namespace {

volatile std::sig_atomic_t receivedSignal = 0;

void NoteSignal(int signal) { receivedSignal = signal; }

// Catches `signal` unless it was ignored; keeps the earlier handling in `previous`.
void Catch(int signal, struct sigaction& previous) {
    ::sigaction(signal, nullptr, &previous);
    if (previous.sa_handler == SIG_IGN) return;
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

}  // namespace

StationStop::StationStop() {
    receivedSignal = 0;
    sigset_t both;
    sigemptyset(&both);
    sigaddset(&both, SIGINT);
    sigaddset(&both, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &both, &previousMask_);
    waitMask_ = previousMask_;
    sigdelset(&waitMask_, SIGINT);
    sigdelset(&waitMask_, SIGTERM);
    Catch(SIGINT, previousInterrupt_);
    Catch(SIGTERM, previousTerminate_);
}

StationStop::~StationStop() {
    // A signal still pending reaches NoteSignal when unblocked, before the old handling returns.
    ::pthread_sigmask(SIG_SETMASK, &previousMask_, nullptr);
    ::sigaction(SIGINT, &previousInterrupt_, nullptr);
    ::sigaction(SIGTERM, &previousTerminate_, nullptr);
}

int StationStop::Received() const { return receivedSignal; }

}  // namespace halvex::station
