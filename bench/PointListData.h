#pragma once
// A generated CASS point list that fills the editor, for the point plot benchmarks.

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/EditorOps.h"

namespace halvex::bench {

// `points` CASS point lines spread over a few square kilometres in clusters, as a survey's
// points lie, padded in their code words to exactly `bytes` bytes in all.
inline std::string MakePointList(std::size_t points = 30'000, std::size_t bytes = kEditorCapacity) {
    std::string text;
    text.reserve(bytes);
    std::uint64_t state = 12345;
    const auto next = [&state](std::uint64_t range) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return (state >> 33) % range;
    };
    for (std::size_t i = 0; i < points; ++i) {
        const std::uint64_t cluster = i / 500;
        const double east = 5000.0 + (cluster % 8) * 400.0 + next(200'000) / 1000.0;
        const double north = 2000.0 + (cluster / 8) * 300.0 + next(150'000) / 1000.0;
        std::string numbers = ",";
        numbers += std::to_string(east).substr(0, 8);
        numbers += ',';
        numbers += std::to_string(north).substr(0, 8);
        numbers += ",12.3\r\n";
        std::string line = "P";
        line += std::to_string(i);
        line += ",C";
        const std::size_t end = (i + 1) * bytes / points;  // spread the lengths evenly
        const std::size_t used = text.size() + line.size() + numbers.size();
        if (end > used) line.append(end - used, 'x');
        text += line + numbers;
    }
    return text;
}

}  // namespace halvex::bench
