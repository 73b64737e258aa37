#include "upload/RecordBuilder.h"

#include <algorithm>

namespace halvex {

std::size_t LongestQueuedPiece(std::string_view text) {
    std::size_t longest = 0;
    ForEachPiece(text, [&longest](std::string_view piece, bool) {
        longest = std::max(longest, piece.size());
        return true;
    });
    return longest;
}

std::string WithoutCarriageReturns(std::string_view line) {
    std::string result;
    result.reserve(line.size());
    for (char c : line) {
        if (c != '\r') result += c;
    }
    return result;
}

}  // namespace halvex
