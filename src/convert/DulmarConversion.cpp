#include "convert/DulmarConversion.h"

#include <array>

#include "convert/ConversionFailure.h"
#include "convert/CopyToken.h"
#include "convert/LineScan.h"

namespace halvex {

namespace {

constexpr std::size_t kWords = 5;

// The five words of a point line (name, east, north, height, code), or false with fewer than
// four commas.
bool ReadWords(std::string_view line, std::array<std::string_view, kWords>& words) {
    std::size_t from = 0;
    words[0] = TokenAt(line);
    for (std::size_t i = 1; i < kWords; ++i) {
        const std::size_t comma = line.find(',', from);
        if (comma == std::string_view::npos) return false;
        words[i] = TokenAt(line.substr(comma + 1));
        from = comma + 1;
    }
    return true;
}

}  // namespace

ConversionResult ConvertDulmarToCass(std::string_view text) {
    ConversionResult result;
    std::array<std::string_view, kWords> words;
    ForEachCrLine(text, [&](std::string_view line) {
        if (!ReadWords(line, words)) return;
        result.output.append(words[0]).append(1, ',').append(words[4]).append(1, ',');
        result.output.append(words[1]).append(1, ',').append(words[2]).append(1, ',');
        result.output.append(words[3]).append("\r\n");
        result.produced = true;
    });
    if (!result.produced)
        result.failure = CrLinesFailure(text,
                                        "No line has the four commas of a Dulmar point line "
                                        "(name, east, north, height, code).");
    return result;
}

}  // namespace halvex
