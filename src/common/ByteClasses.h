#pragma once
// The classes of bytes the readers test, as the C locale defines them whatever the process
// locale is (a byte of 0x80 or more is in none of them).

namespace halvex {

// Blank, tab, LF, vertical tab, form feed, CR.
constexpr bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
// Blank or tab: what may stand around a number typed into a field.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace halvex
