#pragma once
// The transfer workers' message boxes on standard error. A message is one line, with its details
// on the line below. The instrument prompts ("Please press enter on ...") wait, as the window
// waits for OK, until the user presses Enter, but only where a user can: when standard input is
// a terminal. Elsewhere the transfer goes on at once, so it runs unattended in scripts. A stop
// ends the wait. A Yes/No question is answered Yes: a command-line transfer has no unsaved text
// for one to protect.

#include "common/UserDialogs.h"
#include "transfer/lib/ErrorConsole.h"
#include "transfers/WorkerRegistry.h"

namespace halvex::transfer {

class ConsoleDialogs : public UserDialogs {
public:
    // `waitForEnter`: whether prompts wait for a line on `inputFd`.
    ConsoleDialogs(ErrorConsole& console, const WorkerRegistry& workers, int inputFd,
                   bool waitForEnter);

    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon = MessageIcon::None,
                     const std::string& details = {}) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

private:
    // Returns at the end of a line on the input, at its end, or when a stop is requested.
    void WaitForEnter();

    ErrorConsole& console_;
    const WorkerRegistry& workers_;
    const int inputFd_;
    const bool waitForEnter_;
};

// Whether `text` is one of the prompts that tell the user to press Enter on the instrument and
// on the computer.
bool IsInstrumentPrompt(const std::string& text);

}  // namespace halvex::transfer
