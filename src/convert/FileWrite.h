#pragma once
// Writes a whole file so that a failure can never pass for success and never leaves a half-written
// file in place of an earlier one: the bytes go to a new file beside the target, every write and
// the close are checked, and only then is the new file renamed over the target. A target that is
// a symbolic link has its link target replaced. Where no file can be made beside the target (a
// directory without write permission), the target itself is truncated and written, still
// checking every step.

#include <string>
#include <string_view>

namespace halvex {

struct FileWriteResult {
    bool ok = false;
    std::string error;  // the system's reason when not ok, e.g. "No space left on device"
};

FileWriteResult WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace halvex
