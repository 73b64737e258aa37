#pragma once
// The upload queue: the outgoing records in order, each followed by exactly one byte 0x02. The
// first empty record ends the upload, and bytes after the last 0x02 are no record.

#include <cstddef>
#include <string_view>

namespace halvex {

inline constexpr char kRecordEnd = '\x02';

// Calls `visit(piece, ended)` for each piece of `text` between 0x02 bytes, in order, empty pieces
// included; `ended` tells whether a 0x02 follows the piece (the last one has none). `visit`
// returns false to stop early. Returns false when it was stopped.
template <class Visitor>
bool ForEachPiece(std::string_view text, Visitor visit) {
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(kRecordEnd, start);
        const bool ended = end != std::string_view::npos;
        if (!visit(text.substr(start, (ended ? end : text.size()) - start), ended)) return false;
        if (!ended) return true;
        start = end + 1;
    }
}

// Calls `visit(record)` for each record the upload of `queue` sends, in order; `visit` returns
// false to stop early. Returns false when it was stopped, true when every record was visited.
template <class Visitor>
bool ForEachQueuedRecord(std::string_view queue, Visitor visit) {
    bool stopped = false;
    ForEachPiece(queue, [&](std::string_view piece, bool ended) {
        if (!ended || piece.empty()) return false;  // the records end here
        stopped = !visit(piece);
        return !stopped;
    });
    return !stopped;
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
