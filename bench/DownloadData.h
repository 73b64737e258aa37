#pragma once
// Generated instrument downloads for the download benchmarks.

#include <cstddef>
#include <string>

namespace halvex::bench {

// `lines` lines of survey-like text totalling exactly `bytes` bytes, each ending in LF.
inline std::string MakeDownload(std::size_t lines, std::size_t bytes) {
    std::string data;
    data.reserve(bytes);
    for (std::size_t i = 0; i < lines; ++i) {
        const std::size_t end = (i + 1) * bytes / lines;  // spread the lengths evenly
        std::string line = "P";
        line += std::to_string(i);
        line += ",1234.567,5678.901,12.345,";
        line.resize(end - data.size() - 1, 'x');
        data += line + "\n";
    }
    return data;
}

}  // namespace halvex::bench
