#pragma once
// The editor of a command-line upload: the in-memory editor, whose every successful append (the
// upload's echo of each sent record) is also written to a file descriptor as it happens, so the
// records show on standard output while the transfer runs. The echo stops where the editor's
// would: at its capacity.

#include <string>

#include "common/MemoryEditor.h"

namespace halvex::transfer {

class EchoingEditor : public MemoryEditor {
public:
    explicit EchoingEditor(int echoFd);

    bool AppendEditorText(const std::string& text) override;

    // Why the echo could not be written (the system's reason); empty when all of it was.
    std::string EchoError() const;

private:
    const int echoFd_;
    mutable std::mutex mutex_;
    std::string echoError_;
};

}  // namespace halvex::transfer
