#pragma once
// Dulmar point lines to CASS point lines.
//
// The text is scanned in CR lines; a line with at least four commas is a point line. Its first
// five fields are read as words (CopyToken): name, east, north, height, code. Each point line
// gives "name,code,east,north,height" with the words copied unchanged, and CR LF.

#include <string_view>

#include "convert/ConversionResult.h"

namespace halvex {

ConversionResult ConvertDulmarToCass(std::string_view text);

}  // namespace halvex
