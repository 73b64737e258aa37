#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <iterator>

#include "transfer/lib/StopSignals.h"

namespace halvex::transfer {

namespace {

constexpr int kStopSignals[] = {SIGINT, SIGTERM};

// The pipe the handler writes the signal's number into; Wake() writes a 0.
std::atomic<int> readFd{-1};
std::atomic<int> writeFd{-1};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may only touch lock-free state");

void WriteNumber(unsigned char number) {
    const int savedErrno = errno;
    [[maybe_unused]] const ssize_t written = ::write(writeFd.load(), &number, 1);
    errno = savedErrno;
}

void OnStopSignal(int signal) { WriteNumber(static_cast<unsigned char>(signal)); }

// How each signal was handled before; a signal that was ignored (a background job of a script)
// stays ignored.
struct sigaction earlier[std::size(kStopSignals)];
bool handling = false;

void HandleStopSignals() {
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], nullptr, &earlier[i]);
        if (earlier[i].sa_handler != SIG_IGN) ::sigaction(kStopSignals[i], &action, nullptr);
    }
    handling = true;
}

sigset_t StopSignalSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kStopSignals) sigaddset(&set, signal);
    return set;
}

}  // namespace

const char* const kStopExitStatuses = "130, 143";
const char* const kStopExitMeaning = "stopped by Ctrl+C (130) or SIGTERM (143)";

StopSignals::StopSignals() {
    int fds[2] = {-1, -1};
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return;  // then the signals act as usual
    readFd.store(fds[0]);
    writeFd.store(fds[1]);
    HandleStopSignals();
}

StopSignals::~StopSignals() {
    Release();
    for (std::atomic<int>* fd : {&writeFd, &readFd}) {
        const int closing = fd->exchange(-1);
        if (closing >= 0) ::close(closing);
    }
}

int StopSignals::Wait(std::chrono::milliseconds timeout) {
    if (readFd.load() < 0) return 0;
    pollfd ready{readFd.load(), POLLIN, 0};
    if (::poll(&ready, 1, static_cast<int>(timeout.count())) <= 0) return 0;
    unsigned char numbers[16];
    const ssize_t got = ::read(readFd.load(), numbers, sizeof numbers);
    int signal = 0;
    for (ssize_t i = 0; i < got; ++i) {
        if (signal == 0) signal = numbers[i];
    }
    return signal;
}

void StopSignals::Wake() {
    if (writeFd.load() >= 0) WriteNumber(0);
}

void StopSignals::Release() {
    if (!handling) return;
    for (std::size_t i = 0; i < std::size(kStopSignals); ++i) {
        ::sigaction(kStopSignals[i], &earlier[i], nullptr);
    }
    handling = false;
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
