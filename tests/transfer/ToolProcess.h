#pragma once
// Runs halvex-transfer as a child process, standard input from /dev/null and both output streams
// captured, so a test can check its exit status, output and messages and signal it while it
// runs. HALVEX_COM1..HALVEX_COM6 are left out of its environment unless the test sets them.

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
    // `environment`: NAME=VALUE words added to the child's environment.
    explicit ToolProcess(const std::vector<std::string>& args,
                         const std::vector<std::string>& environment = {});
    void Signal(int signal) const;
    ToolResult Wait();

private:
    pid_t pid_ = -1;
    std::string outPath_;
    std::string errPath_;
};

ToolResult RunTool(const std::vector<std::string>& args,
                   const std::vector<std::string>& environment = {});

}  // namespace halvex::testing
