#include "upload/UploadLineScan.h"

namespace halvex {

void ForEachUploadLine(std::string_view text,
                       const std::function<bool(std::string_view line)>& visitor) {
    std::size_t start = 0;
    for (std::size_t lf = text.find('\n'); lf != std::string_view::npos && lf > start;
         lf = text.find('\n', start)) {
        if (!visitor(text.substr(start, lf - start))) return;
        start = lf + 1;
    }
}

}  // namespace halvex
