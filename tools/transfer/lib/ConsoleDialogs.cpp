#include "transfer/lib/ConsoleDialogs.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

#include "transfers/DownloadWorker.h"
#include "transfers/UploadWorker.h"

namespace halvex::transfer {

namespace {

// How often the wait for Enter looks whether the transfer is being stopped.
constexpr int kStopCheckMs = 100;

}  // namespace

bool IsInstrumentPrompt(const std::string& text) {
    return text == kDownloadPromptStationFirst || text == kDownloadPromptComputerFirst ||
           text == kUploadPrompt;
}

ConsoleDialogs::ConsoleDialogs(ErrorConsole& console, const WorkerRegistry& workers, int inputFd,
                               bool waitForEnter)
    : console_(console), workers_(workers), inputFd_(inputFd), waitForEnter_(waitForEnter) {}

void ConsoleDialogs::ShowMessage(const std::string& text, const std::string&, MessageIcon,
                                 const std::string& details) {
    console_.PrintLine(text);
    if (!details.empty()) console_.PrintLine(details);
    if (waitForEnter_ && IsInstrumentPrompt(text)) WaitForEnter();
}

bool ConsoleDialogs::AskYesNo(const std::string& text, const std::string&) {
    console_.PrintLine(text + " Yes");
    return true;
}

void ConsoleDialogs::WaitForEnter() {
    console_.HoldProgress(true);
    while (!workers_.StopRequested()) {
        pollfd input{inputFd_, POLLIN, 0};
        const int ready = ::poll(&input, 1, kStopCheckMs);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;
        char byte = 0;
        const ssize_t got = ready < 0 ? -1 : ::read(inputFd_, &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || byte == '\n') break;  // the end of the input counts as Enter
    }
    console_.HoldProgress(false);
}

}  // namespace halvex::transfer
