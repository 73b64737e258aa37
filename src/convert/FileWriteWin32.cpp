// The file writer on Windows. Paths are UTF-8 and reach the system's wide calls, so any name the
// user can give opens. A file is replaced with ReplaceFileW, which gives the new file the old
// one's attributes, security and creation time, as the Linux half keeps owner and permissions; a
// new file is moved into place with MoveFileExW. Both with write-through, after the new bytes have
// been flushed.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <string>

#include "common/Win32Text.h"
#include "convert/FileWrite.h"

namespace halvex {

namespace {

FileWriteResult Success() { return {true, {}}; }
FileWriteResult Failure(DWORD error) { return {false, Win32ErrorText(error)}; }

// Failures that say only that this way of writing is not allowed here; writing in place may be.
bool IsRefusal(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_PRIVILEGE_NOT_HELD ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (Valid()) ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return handle_; }
    // Closes now; 0, or the error of the close.
    DWORD Close() {
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : ::GetLastError();
    }

private:
    HANDLE handle_;
};

// Writes all bytes; 0 or the error of the failure.
DWORD WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return ::GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes.remove_prefix(written);
    }
    return 0;
}

// Flushes and closes the file in every case; the earlier `error`, else the first failure's.
DWORD FlushAndClose(Handle& file, DWORD error) {
    // A character device (NUL, a console) has no buffers to flush.
    if (error == 0 && ::GetFileType(file.Get()) == FILE_TYPE_DISK &&
        !::FlushFileBuffers(file.Get())) {
        error = ::GetLastError();
    }
    const DWORD closed = file.Close();
    return error != 0 ? error : closed;
}

struct ExistingFile {
    bool exists = false;
    bool onDisk = false;  // a file, not a device or a pipe
    bool readOnly = false;
    DWORD links = 1;
    DWORD error = 0;  // why it could not be looked at, when not missing
};

ExistingFile LookAt(const std::wstring& path) {
    ExistingFile file;
    Handle handle(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) {
        const DWORD error = ::GetLastError();
        if (error != ERROR_FILE_NOT_FOUND) file.error = error;
        return file;
    }
    file.exists = true;
    file.onDisk = ::GetFileType(handle.Get()) == FILE_TYPE_DISK;
    BY_HANDLE_FILE_INFORMATION info{};
    if (file.onDisk && ::GetFileInformationByHandle(handle.Get(), &info)) {
        file.readOnly = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        file.links = info.nNumberOfLinks;
        if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) file.error = ERROR_ACCESS_DENIED;
    }
    return file;
}

// The whole path, with backslashes: ReplaceFileW finds the folder for its work in it, and fails
// on a relative name or forward slashes.
std::wstring FullPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()),
                                                full.data(), nullptr);
        if (length == 0) return path;
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length + 1);
    }
}

// The file a path finally names: a symbolic link is followed to its target.
std::wstring ResolvedTarget(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        return path;
    }
    Handle handle(::CreateFileW(path.c_str(), 0,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.Valid()) return path;
    std::wstring target(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFinalPathNameByHandleW(
            handle.Get(), target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
        if (length == 0) return path;
        if (length < target.size()) {
            target.resize(length);
            return target;
        }
        target.resize(length + 1);
    }
}

// Reserves room for `size` bytes, so a full disk is found before anything is overwritten: 0, or
// the error that says there is no room. A file system that cannot reserve is written without.
DWORD ReserveRoom(HANDLE file, std::size_t size) {
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    if (size == 0 ||
        ::SetFileInformationByHandle(file, FileAllocationInfo, &allocation, sizeof allocation)) {
        return 0;
    }
    const DWORD error = ::GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? error : 0;
}

// Cuts the file off after `size` bytes.
DWORD EndAt(HANDLE file, std::size_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(file, end, nullptr, FILE_BEGIN) || !::SetEndOfFile(file)) {
        return ::GetLastError();
    }
    return 0;
}

FileWriteResult WriteInPlace(const std::wstring& path, std::string_view bytes) {
    Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr));
    if (!file.Valid()) return Failure(::GetLastError());
    const bool onDisk = ::GetFileType(file.Get()) == FILE_TYPE_DISK;
    DWORD error = onDisk ? ReserveRoom(file.Get(), bytes.size()) : 0;
    if (error == 0) error = WriteAll(file.Get(), bytes);
    // Written from the start without truncating first, so the old bytes stay until the new ones
    // are safely reserved; what is left of a longer old file is cut off at the end.
    if (error == 0 && onDisk) error = EndAt(file.Get(), bytes.size());
    error = FlushAndClose(file, error);
    return error ? Failure(error) : Success();
}

// Creates a new, empty file beside the target.
HANDLE CreateSibling(const std::wstring& target, std::wstring& sibling) {
    static std::atomic<unsigned> counter{0};
    HANDLE file = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
        sibling = target + L".part-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                  std::to_wstring(++counter);
        file = ::CreateFileW(sibling.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
        if (file == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
    return file;
}

// Puts the sibling in the target's place: 0, or the error.
DWORD MoveIntoPlace(const std::wstring& sibling, const std::wstring& target, bool replacing) {
    const BOOL moved = replacing
                           ? ::ReplaceFileW(target.c_str(), sibling.c_str(), nullptr,
                                            REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                           : ::MoveFileExW(sibling.c_str(), target.c_str(),
                                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return moved ? 0 : ::GetLastError();
}

// Writes a new file beside the target and puts it in the target's place; writes in place where
// the folder or the target does not allow that.
FileWriteResult ReplaceOrWriteInPlace(const std::wstring& target, std::string_view bytes,
                                      bool replacing) {
    std::wstring sibling;
    Handle file(CreateSibling(target, sibling));
    if (!file.Valid()) {
        const DWORD error = ::GetLastError();
        return IsRefusal(error) ? WriteInPlace(target, bytes) : Failure(error);
    }
    const DWORD written = FlushAndClose(file, WriteAll(file.Get(), bytes));
    if (written != 0) {
        ::DeleteFileW(sibling.c_str());
        return Failure(written);
    }
    const DWORD moved = MoveIntoPlace(sibling, target, replacing);
    if (moved == 0) return Success();
    ::DeleteFileW(sibling.c_str());
    return IsRefusal(moved) ? WriteInPlace(target, bytes) : Failure(moved);
}

}  // namespace

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes) {
    const std::wstring target = ResolvedTarget(FullPath(WideFromUtf8(path)));
    const ExistingFile existing = LookAt(target);
    if (existing.error != 0) return Failure(existing.error);
    if (!existing.exists) return ReplaceOrWriteInPlace(target, bytes, false);
    if (!existing.onDisk) return WriteInPlace(target, bytes);  // NUL, a console, a pipe
    // A write-protected file is not replaced, although its folder would allow that.
    if (existing.readOnly) return Failure(ERROR_ACCESS_DENIED);
    // Replacing would cut the file off from its other names.
    if (existing.links > 1) return WriteInPlace(target, bytes);
    return ReplaceOrWriteInPlace(target, bytes, true);
}

}  // namespace halvex
