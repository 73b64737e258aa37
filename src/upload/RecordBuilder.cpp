#include "upload/RecordBuilder.h"

#include <algorithm>

namespace halvex {

std::size_t LongestQueuedPiece(std::string_view text) {
    std::size_t longest = 0;
    std::size_t start = 0;
    for (std::size_t stx = text.find('\x02'); stx != std::string_view::npos;
         stx = text.find('\x02', start)) {
        longest = std::max(longest, stx - start);
        start = stx + 1;
    }
    return std::max(longest, text.size() - start);
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
