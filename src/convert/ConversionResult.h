#pragma once
// What a conversion makes of the editor's text: the complete new text, whether at least one
// output line was made, and whether the input was refused as being of the wrong format (only the
// Tamsel CASS conversion refuses input).

#include <string>

namespace halvex {

struct ConversionResult {
    std::string output;
    bool produced = false;
    bool wrongFormat = false;
};

}  // namespace halvex
