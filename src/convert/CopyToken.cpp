#include "convert/CopyToken.h"

#include <algorithm>

namespace halvex {

std::string_view TokenAt(std::string_view source) {
    const std::size_t start = std::min(source.find_first_not_of(' '), source.size());
    const std::size_t stop = std::min(source.find_first_of(" ,\n", start), source.size());
    return source.substr(start, stop - start);
}

std::string CopyToken(std::string_view source) { return std::string(TokenAt(source)); }

}  // namespace halvex
