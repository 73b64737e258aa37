#include "convert/CopyToken.h"

namespace halvex {

std::string_view TokenAt(std::string_view source) {
    // Plain loops: find_first_of would search the stop set once for every byte.
    std::size_t start = 0;
    while (start < source.size() && source[start] == ' ') ++start;
    std::size_t stop = start;
    while (stop < source.size() && source[stop] != ' ' && source[stop] != ',' &&
           source[stop] != '\n')
        ++stop;
    return source.substr(start, stop - start);
}

std::string CopyToken(std::string_view source) { return std::string(TokenAt(source)); }

}  // namespace halvex
