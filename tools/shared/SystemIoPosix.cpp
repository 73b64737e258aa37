#include <fcntl.h>
#include <unistd.h>

#include <csignal>

#include "shared/SystemIo.h"

namespace halvex::tool {

void PrepareStandardStreams() { std::signal(SIGPIPE, SIG_IGN); }

bool IsTerminal(int fd) { return ::isatty(fd) == 1; }

std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

int OpenInputFile(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int OpenOutputFile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

}  // namespace halvex::tool
