#include "convert/FileWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>

namespace halvex {

namespace {

FileWriteResult Success() { return {true, {}}; }
FileWriteResult Failure(int error) { return {false, std::strerror(error)}; }

// Failures that say only that this way of writing is not allowed here; writing in place may be.
bool IsRefusal(int error) { return error == EACCES || error == EPERM || error == EROFS; }

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

// Flushes and closes fd in every case; the earlier `error`, else the errno of the first failure.
int FlushAndClose(int fd, int error) {
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

// Creates a new, empty file beside the target; its descriptor, or -1 with errno set.
int CreateSibling(const std::string& target, std::string& sibling) {
    static std::atomic<unsigned> counter{0};
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        sibling = target + ".part-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
        fd = ::open(sibling.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

// Gives the new file the old one's owner, group and permissions; false when it cannot have them
// all (another user's file, a group the user is not in, a set-id bit that was dropped).
bool TakeOverOwnerAndMode(int fd, const struct stat& old) {
    struct stat now;
    if (::fstat(fd, &now) != 0) return false;
    if ((now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
        ::fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    if (::fchmod(fd, old.st_mode & 07777) != 0 || ::fstat(fd, &now) != 0) return false;
    return now.st_uid == old.st_uid && now.st_gid == old.st_gid &&
           (now.st_mode & 07777) == (old.st_mode & 07777);
}

// Reserves room for `size` bytes without changing the file: 0, or the errno that says there is
// no room. A file system that cannot reserve is written without.
int ReserveRoom(int fd, std::size_t size) {
    if (size == 0 || ::fallocate(fd, FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(size)) == 0)
        return 0;
    return errno == ENOSPC || errno == EDQUOT || errno == EFBIG ? errno : 0;
}

FileWriteResult WriteInPlace(const std::string& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return Failure(errno);
    struct stat info;
    int error = ::fstat(fd, &info) == 0 ? 0 : errno;
    const bool regular = error == 0 && S_ISREG(info.st_mode);
    if (regular) error = ReserveRoom(fd, bytes.size());
    if (error == 0) error = WriteAll(fd, bytes);
    // Written from the start without truncating first, so the old bytes stay until the new ones
    // are safely reserved; what is left of a longer old file is cut off at the end.
    if (error == 0 && regular && ::ftruncate(fd, static_cast<off_t>(bytes.size())) != 0)
        error = errno;
    error = FlushAndClose(fd, error);
    return error ? Failure(error) : Success();
}

// Writes a new file beside the target and renames it over the target; writes in place where the
// folder or the target does not allow that. `existing` is the target's state, nullptr when the
// target does not exist yet.
FileWriteResult ReplaceOrWriteInPlace(const std::string& target, std::string_view bytes,
                                      const struct stat* existing) {
    std::string sibling;
    const int fd = CreateSibling(target, sibling);
    if (fd < 0) return IsRefusal(errno) ? WriteInPlace(target, bytes) : Failure(errno);
    if (existing && !TakeOverOwnerAndMode(fd, *existing)) {
        ::close(fd);
        ::unlink(sibling.c_str());
        return WriteInPlace(target, bytes);
    }
    const int written = FlushAndClose(fd, WriteAll(fd, bytes));
    if (written != 0) {
        ::unlink(sibling.c_str());
        return Failure(written);
    }
    if (::rename(sibling.c_str(), target.c_str()) == 0) return Success();
    const int error = errno;
    ::unlink(sibling.c_str());
    // A folder with the sticky bit lets only a file's owner replace it.
    return IsRefusal(error) ? WriteInPlace(target, bytes) : Failure(error);
}

}  // namespace

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes) {
    const std::string target = ResolvedTarget(path);
    struct stat existing;
    if (::stat(target.c_str(), &existing) != 0)
        return ReplaceOrWriteInPlace(target, bytes, nullptr);
    if (!S_ISREG(existing.st_mode)) return WriteInPlace(target, bytes);  // a device, a pipe
    // A write-protected file is not replaced, although its folder would allow that.
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return Failure(errno);
    // Replacing would cut the file off from its other names.
    if (existing.st_nlink > 1) return WriteInPlace(target, bytes);
    return ReplaceOrWriteInPlace(target, bytes, &existing);
}

}  // namespace halvex
