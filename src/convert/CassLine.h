#pragma once
// The CASS point line: name, code, east, north, height, separated by single commas, ended by
// CR LF. A line with any other number of commas than four is not a point line.

#include <string>
#include <string_view>

namespace halvex {

struct CassPoint {
    std::string name;
    std::string code;
    double east = 0.0;    // field 3
    double north = 0.0;   // field 4
    double height = 0.0;  // field 5
    // Empty, or DescribeUnusableCoordinate of the first of fields 3, 4 and 5 that is not a
    // number: such a point has no place, and its values must not be used.
    std::string notANumber = {};
};

inline constexpr int kCassLineCommas = 4;

// Reads one line given without its LF (a trailing CR may be present). Returns the number of
// commas in the line; only when that is kCassLineCommas is `point` filled in (otherwise it is
// left as it was). Name and code skip leading blanks and end at the first blank or comma; the
// three coordinate fields follow the second, third and fourth comma and are read by
// ReadCoordinateField: a blank field is 0, and a field that is not a number is named in
// `notANumber`.
int ParseCassLine(std::string_view line, CassPoint& point);

}  // namespace halvex
