#include "shared/StreamIo.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

#include "common/EditorOps.h"
#include "convert/FileWrite.h"
#include "shared/SystemIo.h"

namespace halvex::tool {

namespace {

// The reason for errno in the words of the C library (generic_category, since on Windows
// system_category would read errno as a Windows error code).
std::string Reason(int error) { return std::generic_category().message(error); }

bool WriteToDescriptor(int fd, std::string_view bytes, std::string& error) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            error = Reason(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::optional<std::string> ReadAll(const std::string& path, std::string& error) {
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : OpenInputFile(path);
    if (fd < 0) {
        error = Reason(errno);
        return std::nullopt;
    }
    std::string bytes;
    std::array<char, 65536> chunk;
    for (;;) {
        const ssize_t got = ::read(fd, chunk.data(), chunk.size());
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            error = Reason(errno);
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
    return WriteToDescriptor(STDOUT_FILENO, bytes, error);
}

std::unique_ptr<GrowingOutput> GrowingOutput::Open(const std::string& path, std::string& error) {
    if (path == "-") return std::unique_ptr<GrowingOutput>(new GrowingOutput(STDOUT_FILENO));
    const int fd = OpenOutputFile(path);
    if (fd < 0) {
        error = Reason(errno);
        return nullptr;
    }
    return std::unique_ptr<GrowingOutput>(new GrowingOutput(fd));
}

GrowingOutput::~GrowingOutput() {
    if (fd_ != STDOUT_FILENO) ::close(fd_);
}

bool GrowingOutput::Write(std::string_view bytes, std::string& error) {
    return WriteToDescriptor(fd_, bytes, error);
}

std::string DescribePath(const std::string& path, bool input) {
    if (path == "-") return input ? "standard input" : "standard output";
    return path;
}

std::optional<std::string> ReadInput(const std::string& path,
                                     const std::function<void(const std::string&)>& tell) {
    std::string error;
    std::optional<std::string> bytes = ReadAll(path, error);
    if (!bytes) tell("cannot read " + DescribePath(path, true) + ": " + error);
    return bytes;
}

std::optional<std::string> ReadAsEditorText(const std::string& path,
                                            const std::function<void(const std::string&)>& tell) {
    std::optional<std::string> bytes = ReadInput(path, tell);
    if (!bytes) return std::nullopt;
    const std::size_t kept = UpToNul(*bytes).size();
    if (kept < bytes->size()) {
        tell(DescribePath(path, true) + ": bytes after the NUL byte at offset " +
             std::to_string(kept) + " ignored");
        bytes->resize(kept);
    }
    return bytes;
}

}  // namespace halvex::tool
