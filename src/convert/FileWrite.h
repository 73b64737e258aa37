#pragma once
// The one routine that writes a whole file: the document save, the DXF export and halvex-convert
// all use it, so a failure can never pass for success and always carries the system's reason.
//
// A regular file is replaced safely where that changes nothing but its bytes: the bytes go to a
// new file beside it, every write and the close are checked, and only then is the new file
// renamed over the old one, so a failure leaves the old file whole. That needs a folder that
// takes a new file, a file with no other hard link, and an owner, group and permissions that the
// new file can be given. Otherwise the file itself is written (space is reserved first where the
// file system allows, so a full disk is found before anything is overwritten), still checking
// every step. A device or a pipe is always written in place, never replaced. A target that is a
// symbolic link has its link target written. One half per platform: FileWritePosix.cpp and
// FileWriteWin32.cpp.

#include <string>
#include <string_view>

namespace halvex {

struct FileWriteResult {
    bool ok = false;
    std::string error;  // the system's reason when not ok, e.g. "No space left on device"
};

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace halvex
