#include "convert/CassPointWords.h"

#include <array>

#include "convert/CopyToken.h"

namespace halvex {

namespace {

constexpr int kCassCommas = 4;

}  // namespace

bool ReadCassPointWords(std::string_view line, CassPointWords& words) {
    std::array<std::size_t, kCassCommas> commas{};
    int count = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ',') continue;
        if (count == kCassCommas) return false;
        commas[count++] = i;
    }
    if (count != kCassCommas) return false;
    const auto after = [&](int comma) { return line.substr(commas[comma] + 1); };
    words = {TokenAt(line),
             TokenAt(after(0)),
             TokenAt(after(1)),
             TokenAt(after(2)),
             TokenAt(after(3)),
             ReadCoordinateField(after(1)),
             ReadCoordinateField(after(2)),
             ReadCoordinateField(after(3))};
    return true;
}

}  // namespace halvex
