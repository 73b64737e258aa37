#pragma once
// The points of a CASS coordinate text for the point plot, found exactly as the DXF export finds
// them (CR lines, an empty line ends the scan, ReadCassPointWords), with what cannot be placed
// and where the scan ended made visible:
// - a point line with a coordinate field (east, north or height) that is not a number by the
//   coordinate rule (ReadCoordinateField: "x", "12.5m", "inf", "-"), or holds one too large for
//   a double ("1e999"), is left out of the drawing, as the DXF export leaves it out. It is listed
//   as skipped instead of being drawn at 0. A blank field reads as 0;
// - where the scan ended: at the end of the text, at an empty line that has more text after it,
//   or before text whose last line has no CR (text with LF-only line ends is all of that kind).
//
// Lines are located by their offset in the text and numbered as the editor shows them (a line
// break is CR LF, a lone CR or a lone LF), counting from 1.

#include <cstddef>
#include <string_view>
#include <vector>

namespace halvex {

struct TextLine {
    std::size_t start = 0;   // offset of the line's first byte
    std::size_t length = 0;  // without its CR
};

struct ScannedPoint {
    double east = 0;   // field 3, drawn as X
    double north = 0;  // field 4, drawn as Y
    TextLine line;
};

struct SkippedPointLine {
    TextLine line;
    std::size_t editorLine = 0;
    bool eastIsNumber = false;
    bool northIsNumber = false;
    bool heightIsNumber = false;
};

enum class ScanEnd {
    Complete,     // nothing but line ends was left unread
    EmptyLine,    // an empty line ended the scan before more text
    UnendedText,  // the text goes on after its last CR
};

struct CassPointScan {
    std::vector<ScannedPoint> points;
    std::vector<SkippedPointLine> skipped;
    ScanEnd end = ScanEnd::Complete;
    // The editor line of the empty line, or of the first unread line of the unended text; 0 when
    // the scan was complete.
    std::size_t endLine = 0;
};

CassPointScan ScanCassPoints(std::string_view text);

}  // namespace halvex
