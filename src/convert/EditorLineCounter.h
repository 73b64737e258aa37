#pragma once
// Numbers lines as the editor shows them (a line break is CR LF, a lone CR or a lone LF), from 1,
// so that a message can name a line the user finds in the editor.

#include <cstddef>
#include <string_view>

namespace halvex {

// Numbers the editor lines of offsets given in increasing order, in one pass over the text.
class EditorLineCounter {
public:
    explicit EditorLineCounter(std::string_view text) : text_(text) {}

    // The editor line that holds the byte at `offset`; offsets must not decrease between calls.
    std::size_t LineAt(std::size_t offset);

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

}  // namespace halvex
