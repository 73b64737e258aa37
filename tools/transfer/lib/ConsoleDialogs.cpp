#include "transfer/lib/ConsoleDialogs.h"

#include "transfer/lib/ConsoleInput.h"
#include "transfers/DownloadWorker.h"
#include "transfers/UploadWorker.h"

namespace halvex::transfer {

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
    transfer::WaitForEnter(inputFd_, [this] { return workers_.StopRequested(); });
    console_.HoldProgress(false);
}

}  // namespace halvex::transfer
