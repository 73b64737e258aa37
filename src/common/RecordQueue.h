#pragma once
// The upload queue: the outgoing records in order, each followed by exactly one byte 0x02. The
// first empty record ends the upload, and bytes after the last 0x02 are no record.

#include <cstddef>
#include <string_view>

namespace halvex {

inline constexpr char kRecordEnd = '\x02';

// Calls `visit(record)` for each record the upload sends, in order; `visit` returns false to stop
// early. Returns false when it was stopped, true when every record was visited.
template <class Visitor>
bool ForEachQueuedRecord(std::string_view queue, Visitor visit) {
    for (std::size_t start = 0;;) {
        const std::size_t end = queue.find(kRecordEnd, start);
        if (end == std::string_view::npos || end == start) return true;
        if (!visit(queue.substr(start, end - start))) return false;
        start = end + 1;
    }
}

// How many records the upload of `queue` sends.
inline std::size_t CountQueuedRecords(std::string_view queue) {
    std::size_t count = 0;
    ForEachQueuedRecord(queue, [&count](std::string_view) {
        ++count;
        return true;
    });
    return count;
}

}  // namespace halvex
