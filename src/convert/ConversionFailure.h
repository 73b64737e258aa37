#pragma once
// Why a conversion produced nothing, said below "Transform failed" so that the user knows what
// to look at. Each conversion gives the reason it knows; these are the ones they share.

#include <string>
#include <string_view>

namespace halvex {

// Why a line scan handed over no line at all: the text holds no `lineEnd` (CR or LF), or begins
// with an empty line. Empty when the scan would hand over a line.
std::string NoLineReason(std::string_view text, char lineEnd);

// The Tamsel data lines were read, but the field stream never started.
inline constexpr const char* kNoFieldMarkerReason =
    "No field marker \"_\" was found in the lines of 128 characters.";

// Why a conversion that reads lines ended by CR made nothing: no line at all (NoLineReason), or
// `layoutMissing` (no line of the layout it reads), with a note that reading stops at the first
// empty line.
std::string CrLinesFailure(std::string_view text, std::string_view layoutMissing);

}  // namespace halvex
