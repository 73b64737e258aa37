#include <windows.h>

#include <atomic>
#include <csignal>

#include "transfer/lib/StopSignals.h"

namespace halvex::transfer {

namespace {

// The signal numbers of the C runtime, so that the exit status says which key stopped it.
constexpr int kCtrlC = SIGINT;
constexpr int kCtrlBreak = 21;  // SIGBREAK

std::atomic<int> arrived{0};
HANDLE wakeEvent = nullptr;  // auto-reset
bool handling = false;

// Runs on a thread the system starts for the console event.
BOOL WINAPI OnConsoleControl(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    int none = 0;
    arrived.compare_exchange_strong(none, event == CTRL_C_EVENT ? kCtrlC : kCtrlBreak);
    ::SetEvent(wakeEvent);
    return TRUE;
}

}  // namespace

const char* const kStopExitStatuses = "130, 149";
const char* const kStopExitMeaning = "stopped by Ctrl+C (130) or Ctrl+Break (149)";

StopSignals::StopSignals() {
    wakeEvent = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    arrived.store(0);
    handling = wakeEvent != nullptr && ::SetConsoleCtrlHandler(OnConsoleControl, TRUE);
}

StopSignals::~StopSignals() {
    Release();
    if (wakeEvent != nullptr) ::CloseHandle(wakeEvent);
    wakeEvent = nullptr;
}

int StopSignals::Wait(std::chrono::milliseconds timeout) {
    if (wakeEvent == nullptr) return 0;
    ::WaitForSingleObject(wakeEvent, static_cast<DWORD>(timeout.count()));
    return arrived.exchange(0);
}

void StopSignals::Wake() {
    if (wakeEvent != nullptr) ::SetEvent(wakeEvent);
}

void StopSignals::Release() {
    if (handling) ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    handling = false;
}

BlockedStopSignals::BlockedStopSignals() = default;
BlockedStopSignals::~BlockedStopSignals() = default;

}  // namespace halvex::transfer
