#include "convert/ConversionFailure.h"

namespace halvex {

std::string NoLineReason(std::string_view text, char lineEnd) {
    const std::string name = lineEnd == '\r' ? "CR" : "LF";
    const std::size_t end = text.find(lineEnd);
    if (end == std::string_view::npos)
        return "No line ends with " + name + ", and this command reads only lines that do.";
    if (end == 0)
        return "The text begins with an empty line, so this command reads none of its lines.";
    return {};
}

std::string CrLinesFailure(std::string_view text, std::string_view layoutMissing) {
    if (std::string reason = NoLineReason(text, '\r'); !reason.empty()) return reason;
    return std::string(layoutMissing) + " Lines are read up to the first empty line.";
}

}  // namespace halvex
