#include "convert/CassPointScan.h"

#include <algorithm>
#include <cmath>

#include "convert/CassPointWords.h"
#include "convert/LineScan.h"
#include "convert/NumberReader.h"

namespace halvex {

namespace {

// Numbers the editor lines of offsets given in increasing order, in one pass over the text.
class EditorLineCounter {
public:
    explicit EditorLineCounter(std::string_view text) : text_(text) {}

    std::size_t LineAt(std::size_t offset) {
        for (; position_ < offset; ++position_) {
            const char byte = text_[position_];
            const bool crBeforeLf =
                byte == '\r' && position_ + 1 < text_.size() && text_[position_ + 1] == '\n';
            if (byte == '\n' || (byte == '\r' && !crBeforeLf)) ++line_;
        }
        return line_;
    }

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::size_t line_ = 1;
};

// Where the CR scan goes on after the line that ends at the CR at `cr`: one LF or CR directly
// after it is skipped with it.
std::size_t NextLineStart(std::string_view text, std::size_t cr) {
    std::size_t start = cr + 1;
    if (start < text.size() && (text[start] == '\n' || text[start] == '\r')) ++start;
    return start;
}

void NoteScanEnd(std::string_view text, std::size_t stop, EditorLineCounter& lines,
                 CassPointScan& scan) {
    const std::size_t unread = text.find_first_not_of("\r\n", stop);
    if (unread == std::string_view::npos) return;
    if (text[stop] == '\r') {
        scan.end = ScanEnd::EmptyLine;
        scan.endLine = lines.LineAt(stop);
    } else {
        scan.end = ScanEnd::UnendedText;
        scan.endLine = lines.LineAt(unread);
    }
}

}  // namespace

std::optional<double> PlaceableCoordinate(std::string_view word) {
    std::size_t consumed = 0;
    const double value = ReadNumber(word, &consumed);
    if (consumed == 0 || !std::isfinite(value)) return std::nullopt;
    return value;
}

CassPointScan ScanCassPoints(std::string_view text) {
    CassPointScan scan;
    // Room for a point on every line at once: growing step by step would cost more than the
    // reading itself.
    scan.points.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\r')));
    EditorLineCounter lines(text);
    std::size_t stop = 0;  // where the scan looks for the next line
    CassPointWords words;
    ForEachCrLine(text, [&](std::string_view line) {
        const TextLine located{static_cast<std::size_t>(line.data() - text.data()), line.size()};
        stop = NextLineStart(text, located.start + located.length);
        if (!ReadCassPointWords(line, words)) return;
        const std::optional<double> east = PlaceableCoordinate(words.east);
        const std::optional<double> north = PlaceableCoordinate(words.north);
        if (east && north) {
            scan.points.push_back({*east, *north, located});
        } else {
            scan.skipped.push_back(
                {located, lines.LineAt(located.start), east.has_value(), north.has_value()});
        }
    });
    NoteScanEnd(text, stop, lines, scan);
    return scan;
}

}  // namespace halvex
