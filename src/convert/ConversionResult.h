#pragma once
// What a conversion makes of the editor's text: the complete new text, whether at least one
// output line was made, whether the input was refused as being of the wrong format (only the
// Tamsel CASS conversion refuses input), and, when nothing was made, why.

#include <string>

namespace halvex {

struct ConversionResult {
    std::string output;
    bool produced = false;
    bool wrongFormat = false;
    std::string failure;  // when nothing was produced: why, in a sentence or two for the user
};

}  // namespace halvex
