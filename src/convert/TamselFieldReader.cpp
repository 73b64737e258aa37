#include "convert/TamselFieldReader.h"

namespace halvex {

std::size_t TamselFieldReader::Append(std::string_view block) {
    if (carry_.empty()) {
        const std::size_t first = block.find('_');
        if (first == std::string_view::npos) return std::string::npos;
        carry_.assign(block.substr(first));
        return 1;
    }
    const std::size_t searchFrom = carry_.size();
    carry_.append(block);
    return searchFrom;
}

void TamselFieldReader::DropDelivered(std::size_t last) { carry_.erase(0, last); }

}  // namespace halvex
