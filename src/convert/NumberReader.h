#pragma once
// The one rule by which every reader in the program turns text into a number.
//
// Leading white space (blank, tab, LF, VT, FF, CR) is skipped, then an optional sign, digits with
// an optional decimal point, and an optional exponent (e or E, optional sign, digits; taken only
// when digits follow) are read. Reading stops at the first byte that cannot continue the number.
// Without any digit the value is 0. Words such as "inf" or "nan" and hexadecimal forms are not
// numbers ("0x1A" reads as 0). The process locale plays no part: the decimal mark is always ".".
//
// A value too large for a double reads as plus or minus infinity; one too small reads as zero
// with its sign.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace halvex {

// Reads a number at the start of the text. When consumed is given it receives the count of bytes
// that belong to the number, white space included, or 0 when no digit was found.
double ReadNumber(std::string_view text, std::size_t* consumed = nullptr);

// The whole number at the start of the text (code numbers): white space skipped, an optional
// sign, decimal digits; 0 without digits. Values beyond the 32-bit range are held at its ends.
std::int32_t ReadLeadingInteger(std::string_view text);

}  // namespace halvex
