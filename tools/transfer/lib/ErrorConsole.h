#pragma once
// Standard error of halvex-transfer: whole lines (messages, prompts) and, on a terminal, one
// progress line that is rewritten in place. A line printed while progress shows replaces it,
// and the progress comes back with the next update. The worker's thread prints messages while
// the main thread updates the progress, so every write is locked.

#include <mutex>
#include <string>
#include <string_view>

namespace halvex::transfer {

class ErrorConsole {
public:
    // `showProgress`: whether ShowProgress draws at all (a terminal, without --quiet).
    ErrorConsole(int fd, bool showProgress);

    void PrintLine(std::string_view line);
    // A line for a user watching (where progress shows: a terminal, without --quiet); scripts
    // that read standard error do not get it.
    void PrintForUser(std::string_view line);
    // Replaces the progress line with `text`; nothing while held or when progress is off.
    void ShowProgress(std::string_view text);
    // Clears the progress line and keeps it away until released (while a prompt waits for the
    // user, whose typing must not be overwritten).
    void HoldProgress(bool held);
    void ClearProgress();

private:
    void ClearLocked();
    void Write(std::string_view bytes);

    std::mutex mutex_;
    const int fd_;
    const bool showProgress_;
    bool held_ = false;
    bool progressShown_ = false;
};

}  // namespace halvex::transfer
