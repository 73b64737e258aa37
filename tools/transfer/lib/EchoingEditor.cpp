#include "transfer/lib/EchoingEditor.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace halvex::transfer {

EchoingEditor::EchoingEditor(int echoFd) : echoFd_(echoFd) {}

bool EchoingEditor::AppendEditorText(const std::string& text) {
    if (!MemoryEditor::AppendEditorText(text)) return false;
    std::lock_guard lock(mutex_);
    // After a failed write (a closed pipe) the transfer goes on; the caller reports it at the end.
    for (std::string_view rest = text; !rest.empty() && echoError_.empty();) {
        const ssize_t written = ::write(echoFd_, rest.data(), rest.size());
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) echoError_ = std::strerror(errno);
        if (written > 0) rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string EchoingEditor::EchoError() const {
    std::lock_guard lock(mutex_);
    return echoError_;
}

}  // namespace halvex::transfer
