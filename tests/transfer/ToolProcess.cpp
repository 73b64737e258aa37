#include "ToolProcess.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>

extern char** environ;

namespace halvex::testing {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& words) {
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    return pointers;
}

std::string ReadAndRemove(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes(std::istreambuf_iterator<char>(in), {});
    ::unlink(path.c_str());
    return bytes;
}

}  // namespace

ToolProcess::ToolProcess(const std::vector<std::string>& args,
                         const std::vector<std::string>& environment) {
    static std::atomic<int> runs{0};
    const std::string stem = ::testing::TempDir() + "halvex-transfer-run-" +
                             std::to_string(::getpid()) + "-" + std::to_string(runs++);
    outPath_ = stem + ".out";
    errPath_ = stem + ".err";
    // Everything the child needs is made before the fork: the test may run other threads.
    std::vector<std::string> argv = {HALVEX_TRANSFER_BIN};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<std::string> envp;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        if (std::strncmp(*entry, "HALVEX_COM", 10) != 0) envp.emplace_back(*entry);
    }
    envp.insert(envp.end(), environment.begin(), environment.end());
    std::vector<char*> argvPointers = Pointers(argv);
    std::vector<char*> envpPointers = Pointers(envp);
    pid_ = ::fork();
    if (pid_ != 0) return;
    const int flags = O_WRONLY | O_CREAT | O_TRUNC;
    if (::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO) < 0 ||
        ::dup2(::open(outPath_.c_str(), flags, 0600), STDOUT_FILENO) < 0 ||
        ::dup2(::open(errPath_.c_str(), flags, 0600), STDERR_FILENO) < 0) {
        ::_exit(127);
    }
    ::execve(argvPointers[0], argvPointers.data(), envpPointers.data());
    ::_exit(127);
}

void ToolProcess::Signal(int signal) const {
    if (pid_ > 0) ::kill(pid_, signal);
}

ToolResult ToolProcess::Wait() {
    ToolResult result;
    int status = 0;
    if (pid_ <= 0 || ::waitpid(pid_, &status, 0) != pid_) return result;
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = ReadAndRemove(outPath_);
    result.err = ReadAndRemove(errPath_);
    return result;
}

ToolResult RunTool(const std::vector<std::string>& args,
                   const std::vector<std::string>& environment) {
    return ToolProcess(args, environment).Wait();
}

}  // namespace halvex::testing
