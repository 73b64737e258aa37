#include "shared/StreamIo.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "common/EditorOps.h"
#include "convert/FileWrite.h"

namespace halvex::tool {

std::optional<std::string> ReadAll(const std::string& path, std::string& error) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 65536> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            if (!standardInput) ::close(fd);
            return std::nullopt;
        }
        bytes.append(chunk.data(), static_cast<std::size_t>(got));
    }
    if (!standardInput) ::close(fd);
    return bytes;
}

bool WriteAll(const std::string& path, std::string_view bytes, std::string& error) {
    if (path != "-") {
        const FileWriteResult result = WriteWholeFile(path, bytes);
        error = result.error;
        return result.ok;
    }
    while (!bytes.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            error = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string DescribePath(const std::string& path, bool input) {
    if (path == "-") return input ? "standard input" : "standard output";
    return path;
}

std::optional<std::string> ReadAsEditorText(const std::string& path,
                                            const std::function<void(const std::string&)>& tell) {
    std::string error;
    std::optional<std::string> bytes = ReadAll(path, error);
    if (!bytes) {
        tell("cannot read " + DescribePath(path, true) + ": " + error);
        return std::nullopt;
    }
    const std::size_t kept = UpToNul(*bytes).size();
    if (kept < bytes->size()) {
        tell(DescribePath(path, true) + ": bytes after the NUL byte at offset " +
             std::to_string(kept) + " ignored");
        bytes->resize(kept);
    }
    return bytes;
}

}  // namespace halvex::tool
