#pragma once
// The line scan of the upload commands: lines end at LF (a CR before it stays in the line), and
// the first line of zero characters ends the scan.

#include <functional>
#include <string_view>

namespace halvex {

// Calls `visitor` for each line in order; the visitor returns false to end the scan early.
void ForEachUploadLine(std::string_view text,
                       const std::function<bool(std::string_view line)>& visitor);

}  // namespace halvex
