#include "convert/RemoveStx.h"

#include <algorithm>
#include <iterator>

namespace halvex {

std::string WithoutStx(std::string_view text) {
    std::string copy;
    copy.reserve(text.size());
    std::remove_copy(text.begin(), text.end(), std::back_inserter(copy), '\x02');
    return copy;
}

}  // namespace halvex
