#pragma once
// The word reader of the point-list readers: leading blanks (0x20) are skipped, then the bytes up
// to a blank, a comma, an LF or the end of the text are the word. A CR does not end a word.

#include <string>
#include <string_view>

namespace halvex {

std::string CopyToken(std::string_view source);

// The same word without a copy; it points into source.
std::string_view TokenAt(std::string_view source);

}  // namespace halvex
