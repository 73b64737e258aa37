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
};

inline constexpr int kCassLineCommas = 4;

// Reads one line given without its LF (a trailing CR may be present). Returns the number of
// commas in the line; only when that is kCassLineCommas is `point` filled in (otherwise it is
// left as it was). Name and code skip leading blanks and end at the first blank or comma; the
// three numbers are read by ReadNumber after the second, third and fourth comma, anything after
// a number being ignored.
int ParseCassLine(std::string_view line, CassPoint& point);

}  // namespace halvex
