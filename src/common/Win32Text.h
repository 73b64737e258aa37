#pragma once
// Text at the edge of the Windows API: the program keeps paths as UTF-8 bytes and hands them to
// the system's wide ("W") calls, and reports the system's own words for an error code.

#include <string>
#include <string_view>

namespace halvex {

// UTF-16 for the system's wide calls. Bytes that are not UTF-8 are read in the ANSI code page,
// so a path typed in an old console still opens.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

// FormatMessage's text for a GetLastError code, without its final period and line break ("The
// system cannot find the file specified").
std::string Win32ErrorText(unsigned long error);

}  // namespace halvex
