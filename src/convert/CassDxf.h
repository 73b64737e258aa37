#pragma once
// The DXF drawing of a CASS point list: a fixed head (header variables, five layers, the SYMBOL
// and DEFAULT blocks, the start of the entities), one POINT and one TEXT entity per point line,
// and the tail. Every line ends in CR LF.
//
// The text is scanned in CR lines; a line with exactly four commas is a point line. Its
// coordinate fields 3, 4 and 5 are read by the coordinate rule (ReadCoordinateField) and written
// as the POINT's X, Y and Z: a number as it stands in the line (without the white space around
// it), a blank field as 0. The TEXT label stands at X + 1, Y + 1, Z ("%f") and reads
// "name code height" (name and code as CopyToken reads them, height "%.3f").
//
// A point line with a coordinate that is not a number, or a number too large for a double, is
// left out: a reader of the drawing would refuse the whole file for one such value. The drawing
// counts only the points it holds and names the lines it left out.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace halvex {

struct LeftOutPointLine {
    std::size_t editorLine = 0;  // numbered as the editor shows lines
    std::string reason;          // the first coordinate that cannot be written, and why
};

// How many of the lines left out a drawing lists; the rest are only counted.
inline constexpr std::size_t kListedLeftOutLines = 5;

struct DxfDrawing {
    std::string bytes;
    int points = 0;
    std::vector<LeftOutPointLine> leftOut;  // the first kListedLeftOutLines, in text order
    std::size_t leftOutCount = 0;
};

DxfDrawing BuildCassDxf(std::string_view text);

// The fixed head alone (225 lines, 1429 bytes).
const std::string& DxfHead();

// What the drawing left out, for the user: the count, the first lines with their reasons, how
// many more there are. Empty when nothing was left out.
std::string DescribeLeftOutLines(const DxfDrawing& drawing);

}  // namespace halvex
