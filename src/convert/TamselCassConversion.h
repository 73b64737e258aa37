#pragma once
// Tamsel coordinate download to CASS point lines.
//
// 0x02 bytes are removed, the text is scanned in LF lines and the first 128 bytes of each line
// of 128 bytes or more feed the Tamsel field stream. Fields come in groups of four: the name
// (one leading "+" dropped, blanks kept), then north (x), east (y) and height (z), each read
// after its first two bytes as thousandths. Each complete group gives the line
// "name,name,east,north,height" with "%.3f" numbers and CR LF.
//
// While no field has been read, every line must contain "x", "y" and "z"; otherwise the text is
// of the wrong format and nothing is produced. A value field shorter than two bytes holds no
// number and gives 0.000.

#include <string_view>

#include "convert/ConversionResult.h"

namespace halvex {

ConversionResult ConvertTamselToCass(std::string_view text);

}  // namespace halvex
