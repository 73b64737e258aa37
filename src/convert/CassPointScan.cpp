#include "convert/CassPointScan.h"

#include <algorithm>

#include "convert/CassPointWords.h"
#include "convert/EditorLineCounter.h"
#include "convert/LineScan.h"

namespace halvex {

namespace {

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
        const bool east = words.eastField.HasFiniteValue();
        const bool north = words.northField.HasFiniteValue();
        const bool height = words.heightField.HasFiniteValue();
        if (east && north && height) {
            scan.points.push_back({words.eastField.value, words.northField.value, located});
        } else {
            scan.skipped.push_back({located, lines.LineAt(located.start), east, north, height});
        }
    });
    NoteScanEnd(text, stop, lines, scan);
    return scan;
}

}  // namespace halvex
