#include "convert/FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace halvex {

namespace {

FileWriteResult Failure(int error) { return {false, std::strerror(error)}; }

// Writes all bytes, retrying short writes and interruptions; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// Writes, flushes and closes; 0 or the errno of the first failure. Closes fd in every case.
int WriteAndClose(int fd, std::string_view bytes) {
    int error = WriteAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    return error;
}

// The file a path finally names: a symbolic link is followed to its (possibly missing) target.
std::string ResolvedTarget(const std::string& path) {
    std::string target = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info;
        if (::lstat(target.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return target;
        std::string link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(target.c_str(), link.data(), link.size());
        if (length <= 0) return target;
        link.resize(static_cast<std::size_t>(length));
        if (link.front() == '/') {
            target = link;
        } else {
            const std::size_t slash = target.rfind('/');
            target = slash == std::string::npos ? link : target.substr(0, slash + 1) + link;
        }
    }
    return target;
}

std::string SiblingName(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
}

FileWriteResult WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return Failure(errno);
    const int error = WriteAndClose(fd, bytes);
    return error ? Failure(error) : FileWriteResult{true, {}};
}

}  // namespace

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolvedTarget(path);
    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(target, bytes);                                    // a device, a fifo
    if (exists && ::access(target.c_str(), W_OK) != 0) return Failure(errno);  // write-protected

    std::string sibling;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        sibling = SiblingName(target);
        fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM || errno == EROFS) return WriteInPlace(target, bytes);
        return Failure(errno);
    }
    if (exists) ::fchmod(fd, existing.st_mode & 07777);
    int error = WriteAndClose(fd, bytes);
    if (error == 0 && ::rename(sibling.c_str(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(sibling.c_str());
        return Failure(error);
    }
    return {true, {}};
}

}  // namespace halvex
