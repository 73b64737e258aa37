#include "transfer/lib/ErrorConsole.h"

#include <unistd.h>

#include <cerrno>

namespace halvex::transfer {

namespace {

// The terminal's control sequence that erases from the cursor to the end of its line.
constexpr const char* kEraseToEndOfLine = "\x1b[K";

}  // namespace

ErrorConsole::ErrorConsole(int fd, bool showProgress) : fd_(fd), showProgress_(showProgress) {}

void ErrorConsole::PrintLine(std::string_view line) {
    std::lock_guard lock(mutex_);
    ClearLocked();
    std::string whole(line);
    whole += '\n';
    Write(whole);
}

void ErrorConsole::PrintForUser(std::string_view line) {
    if (showProgress_) PrintLine(line);
}

void ErrorConsole::ShowProgress(std::string_view text) {
    std::lock_guard lock(mutex_);
    if (!showProgress_ || held_) return;
    if (text.empty()) return ClearLocked();
    std::string line = "\r";
    line.append(text);
    line += kEraseToEndOfLine;
    Write(line);
    progressShown_ = true;
}

void ErrorConsole::HoldProgress(bool held) {
    std::lock_guard lock(mutex_);
    held_ = held;
    if (held) ClearLocked();
}

void ErrorConsole::ClearProgress() {
    std::lock_guard lock(mutex_);
    ClearLocked();
}

void ErrorConsole::ClearLocked() {
    if (!progressShown_) return;
    // Also erases what the terminal echoed after the progress, such as the "^C" of a Ctrl+C.
    Write(std::string("\r") + kEraseToEndOfLine);
    progressShown_ = false;
}

void ErrorConsole::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;  // nothing more can be told on a closed standard error
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

}  // namespace halvex::transfer
