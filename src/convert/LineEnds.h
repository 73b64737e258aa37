#pragma once
// Line ends of LF alone, as files written on this platform have them, against the CR that the
// Brenno and Dulmar conversions and the DXF export look for at the end of a line. Those commands
// keep their rule; when one of them finds nothing in such a text, the user is told why, and both
// the editor and halvex-convert offer a command that changes the line ends.

#include <string>
#include <string_view>

namespace halvex {

// True when some LF in the text has no CR before it.
bool HasLfWithoutCr(std::string_view text);

// The text with a CR put before every LF that has none; every other byte stays as it is.
std::string LfToCrLf(std::string_view text);

// Where the hint sends the user to change the line ends: the editor's menu command, or the
// command of halvex-convert.
enum class LineEndsRemedy { EditMenu, ConvertCommand };

// Said beside the failure of a command that finds lines at CR, on a text with LF line ends: in
// the window, and by halvex-convert.
inline constexpr const char* kLfLineEndsHint =
    "The lines of this text end with LF alone, but this command finds a line only where it ends "
    "with CR. Change the line ends to CR LF (Edit, \"Line Ends to CR LF\" in Halvex) and run the "
    "command again.";
inline constexpr const char* kLfLineEndsConvertHint =
    "The lines of this text end with LF alone, but this command finds a line only where it ends "
    "with CR. Change the line ends to CR LF first with 'halvex-convert crlf' and run the command "
    "again.";

// The hint naming `remedy` when the text has an LF without CR before it, else empty.
std::string LfLineEndsHint(std::string_view text, LineEndsRemedy remedy = LineEndsRemedy::EditMenu);

}  // namespace halvex
