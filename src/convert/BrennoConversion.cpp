#include "convert/BrennoConversion.h"

#include <algorithm>
#include <string>

#include "convert/ConversionFailure.h"
#include "convert/LineScan.h"
#include "convert/NumberFormat.h"
#include "convert/NumberReader.h"

namespace halvex {

namespace {

constexpr std::size_t kNameColumn = 6;
constexpr std::size_t kNameWidth = 14;
constexpr std::size_t kNorthColumn = 20;
constexpr std::size_t kEastColumn = 36;
constexpr std::size_t kHeightColumn = 52;
constexpr std::size_t kCodeWidth = 16;

bool IsLetter(char c, char upper) { return c == upper || c == upper - 'A' + 'a'; }

// The record length for a record tag, or 0 when the line is no record.
std::size_t RecordLength(std::string_view line) {
    if (line.size() < 4 || line[0] != '0' || !IsLetter(line[2], 'T') || !IsLetter(line[3], 'P'))
        return 0;
    if (line[1] == '8') return 84;
    if (line[1] == '2') return 100;
    return 0;
}

// Blanks skipped, then the bytes up to the next blank or the end of the view.
std::string_view BlankWord(std::string_view text) {
    const std::size_t start = std::min(text.find_first_not_of(' '), text.size());
    const std::size_t stop = std::min(text.find(' ', start), text.size());
    return text.substr(start, stop - start);
}

void AppendRecord(std::string& output, std::string_view record, std::size_t length,
                  PointOrder order) {
    const std::string_view name = BlankWord(record.substr(kNameColumn, kNameWidth));
    const std::string_view code = BlankWord(record.substr(length - kCodeWidth));
    const double north = ReadNumber(record.substr(kNorthColumn));
    const double east = ReadNumber(record.substr(kEastColumn));
    const double height = ReadNumber(record.substr(kHeightColumn));
    output.append(name).append(1, ',').append(code).append(1, ',');
    AppendFixed(output, order == PointOrder::EastFirst ? east : north, 3);
    output.append(1, ',');
    AppendFixed(output, order == PointOrder::EastFirst ? north : east, 3);
    output.append(1, ',');
    AppendFixed(output, height, 3);
    output.append("\r\n");
}

}  // namespace

ConversionResult ConvertBrennoPoints(std::string_view text, PointOrder order) {
    ConversionResult result;
    std::string padded;
    ForEachCrLine(text, [&](std::string_view line) {
        const std::size_t length = RecordLength(line);
        if (length == 0) return;
        std::string_view record = line;
        if (line.size() < length) {
            padded.assign(line);
            padded.resize(length, ' ');
            record = padded;
        }
        AppendRecord(result.output, record, length, order);
        result.produced = true;
    });
    if (!result.produced)
        result.failure = CrLinesFailure(text, "No line begins with the record tag 08TP or 02TP.");
    return result;
}

}  // namespace halvex
