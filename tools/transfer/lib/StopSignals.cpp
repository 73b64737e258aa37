#include "transfer/lib/StopSignals.h"

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <iterator>

namespace halvex::transfer {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM};

std::atomic<int> writeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free state");

void OnStopSignal(int signal) {
    const int savedErrno = errno;
    const unsigned char number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(writeFd.load(), &number, 1);
    errno = savedErrno;
}

// How each signal was handled before; a signal that was ignored (a background job of a script)
// stays ignored.
struct sigaction earlier[std::size(kStopSignals)];

void HandleStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], nullptr, &earlier[i]);
        if (earlier[i].sa_handler != SIG_IGN) ::sigaction(kStopSignals[i], &action, nullptr);
    }
}

void RestoreStopSignals() {
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], &earlier[i], nullptr);
    }
}

sigset_t StopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kStopSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

StopSignals::StopSignals() {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then the signals act as usual
    readFd_ = fds[0];
    writeFd.store(fds[1]);
    HandleStopSignals();
}

StopSignals::~StopSignals() {
    if (readFd_ < 0) return;
    Release();
    ::close(writeFd.exchange(-1));
    ::close(readFd_);
}

int StopSignals::Take() {
    unsigned char number = 0;
    if (readFd_ < 0 || ::read(readFd_, &number, 1) != 1) return 0;
    return number;
}

void StopSignals::Release() {
    if (readFd_ >= 0) RestoreStopSignals();
}

BlockedStopSignals::BlockedStopSignals() {
    const sigset_t set = StopSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

BlockedStopSignals::~BlockedStopSignals() {
    const sigset_t set = StopSignalSet();
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace halvex::transfer
