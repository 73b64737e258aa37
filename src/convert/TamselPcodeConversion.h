#pragma once
// Tamsel code-list download to a numbered code table.
//
// 0x02 bytes are removed and the text is scanned in LF lines; a line of 128 bytes or more that
// holds a colon feeds its first 128 bytes to the Tamsel field stream. A field whose part from its
// first colon on has at least five bytes is a code entry: the three bytes after the colon are
// the code number (white space, sign, digits), the rest of the field is the code text. Each entry
// gives "%d,text" and CR LF.

#include <string_view>

#include "convert/ConversionResult.h"

namespace halvex {

ConversionResult ConvertTamselPcode(std::string_view text);

}  // namespace halvex
