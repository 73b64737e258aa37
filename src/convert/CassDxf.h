#pragma once
// The DXF drawing of a CASS point list: a fixed head (header variables, five layers, the SYMBOL
// and DEFAULT blocks, the start of the entities), one POINT and one TEXT entity per point line,
// and the tail. Every line ends in CR LF.
//
// The text is scanned in CR lines; a line with exactly four commas is a point. Its five words
// (CopyToken) are written unchanged as the POINT's X, Y and Z (fields 3, 4, 5); the TEXT label
// stands at X + 1, Y + 1, Z ("%f") and reads "name code height" (height "%.3f"). A word that is
// no number counts as 0 for the label.

#include <string>
#include <string_view>

namespace halvex {

struct DxfDrawing {
    std::string bytes;
    int points = 0;
};

DxfDrawing BuildCassDxf(std::string_view text);

// The fixed head alone (225 lines, 1429 bytes).
const std::string& DxfHead();

}  // namespace halvex
