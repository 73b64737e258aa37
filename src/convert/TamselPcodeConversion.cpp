#include "convert/TamselPcodeConversion.h"

#include <charconv>

#include "convert/ConversionFailure.h"
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

std::string WhyNoEntry(std::string_view text, bool fed, bool streamStarted) {
    if (std::string reason = NoLineReason(text, '\n'); !reason.empty()) return reason;
    if (!fed)
        return "No line has the 128 characters of a Tamsel data record and a colon, as the lines "
               "of a code list have.";
    if (!streamStarted) return kNoFieldMarkerReason;
    return "No field holds a code entry: a colon, a three-digit code number and the code text.";
}

}  // namespace

ConversionResult ConvertTamselPcode(std::string_view text) {
    const std::string copy = WithoutStx(text);
    ConversionResult result;
    TamselFieldReader reader;
    bool fed = false;
    bool delivered = false;
    ForEachLfLine(copy, [&](std::string_view line) {
        if (line.size() < kTamselBlockSize || line.find(':') == std::string_view::npos) return;
        fed = true;
        reader.Feed(line, [&](std::string_view field) {
            delivered = true;
            const std::size_t colon = field.find(':');
            if (colon == std::string_view::npos || field.size() - colon < kShortestEntry) return;
            AppendEntry(result.output, field.substr(colon));
            result.produced = true;
        });
    });
    if (!result.produced)
        result.failure = WhyNoEntry(copy, fed, delivered || !reader.Carry().empty());
    return result;
}

}  // namespace halvex
