#include "convert/EditorLineCounter.h"

namespace halvex {

std::size_t EditorLineCounter::LineAt(std::size_t offset) {
    for (; position_ < offset; ++position_) {
        const char byte = text_[position_];
        const bool crBeforeLf =
            byte == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n';
        if (byte == '\n' || (byte == '\r' && !crBeforeLf)) ++line_;
    }
    return line_;
}

}  // namespace halvex
