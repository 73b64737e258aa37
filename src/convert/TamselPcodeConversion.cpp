#include "convert/TamselPcodeConversion.h"

#include <charconv>

#include "convert/LineScan.h"
#include "convert/NumberReader.h"
#include "convert/RemoveStx.h"
#include "convert/TamselFieldReader.h"

namespace halvex {

namespace {

constexpr std::size_t kNumberWidth = 3;
constexpr std::size_t kShortestEntry = 1 + kNumberWidth + 1;  // colon, number, one text byte

void AppendEntry(std::string& output, std::string_view entry) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits,
                                   ReadLeadingInteger(entry.substr(1, kNumberWidth)));
    output.append(digits, end.ptr).append(1, ',');
    output.append(entry.substr(1 + kNumberWidth)).append("\r\n");
}

}  // namespace

ConversionResult ConvertTamselPcode(std::string_view text) {
    const std::string copy = WithoutStx(text);
    ConversionResult result;
    TamselFieldReader reader;
    ForEachLfLine(copy, [&](std::string_view line) {
        if (line.size() < kTamselBlockSize || line.find(':') == std::string_view::npos) return;
        reader.Feed(line, [&](std::string_view field) {
            const std::size_t colon = field.find(':');
            if (colon == std::string_view::npos || field.size() - colon < kShortestEntry) return;
            AppendEntry(result.output, field.substr(colon));
            result.produced = true;
        });
    });
    return result;
}

}  // namespace halvex
