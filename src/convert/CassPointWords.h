#pragma once
// The point-line reader that the DXF export and the point plot share, so that both always find
// the same points: a line with exactly four commas is a point line, and its five words are read
// by the word reader (TokenAt) from the start of the line and from just after each comma. Each
// word skips leading blanks and ends at a blank, a comma, an LF or the end of the line. The three
// coordinate fields are also read whole by the coordinate rule (ReadCoordinateField).

#include <string_view>

#include "convert/CoordinateField.h"

namespace halvex {

struct CassPointWords {
    std::string_view name;
    std::string_view code;
    std::string_view east;    // field 3, the drawing's X
    std::string_view north;   // field 4, the drawing's Y
    std::string_view height;  // field 5
    CoordinateField eastField;
    CoordinateField northField;
    CoordinateField heightField;
};

// False, leaving `words` as they were, when the line does not hold exactly four commas. The
// words point into `line`.
bool ReadCassPointWords(std::string_view line, CassPointWords& words);

}  // namespace halvex
