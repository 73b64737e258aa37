#include "convert/LineEnds.h"

namespace halvex {

bool HasLfWithoutCr(std::string_view text) {
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1)) {
        if (lf == 0 || text[lf - 1] != '\r') return true;
    }
    return false;
}

std::string LfToCrLf(std::string_view text) {
    std::string result;
    result.reserve(text.size() + text.size() / 16);
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos;
         lf = text.find('\n', lf + 1)) {
        result.append(text.substr(start, lf - start));
        if (lf == 0 || text[lf - 1] != '\r') result.push_back('\r');
        start = lf;
    }
    result.append(text.substr(start));
    return result;
}

std::string LfLineEndsHint(std::string_view text, LineEndsRemedy remedy) {
    if (!HasLfWithoutCr(text)) return {};
    return remedy == LineEndsRemedy::EditMenu ? kLfLineEndsHint : kLfLineEndsConvertHint;
}

}  // namespace halvex
