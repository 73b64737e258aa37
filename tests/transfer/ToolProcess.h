#pragma once
// Runs halvex-transfer as a child process with standard input from /dev/null and both output
// streams captured, so a test can check its exit status, its output and its messages, and send
// it a signal while it runs. HALVEX_COM1..HALVEX_COM6 are removed from the child's environment
// unless the test sets them.

#include <sys/types.h>

#include <string>
#include <vector>

namespace halvex::testing {

struct ToolResult {
    int status = -1;  // the exit status; -1 when the child did not exit normally
    std::string out;
    std::string err;
};

class ToolProcess {
public:
    // Starts the program with `args`; `environment` holds NAME=VALUE words to add.
    explicit ToolProcess(const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});
    ~ToolProcess();
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    void Signal(int signal) const;
    // Reads both streams to their end and waits for the child.
    ToolResult Wait();

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
};

// Starts the program and waits for it.
ToolResult RunTool(const std::vector<std::string>& args,
                   const std::vector<std::string>& environment = {});

}  // namespace halvex::testing
