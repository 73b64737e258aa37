// ScanCassPoints on arbitrary bytes: it finds exactly the point lines the DXF export writes or
// leaves out, in the order of the text, every drawn point has finite coordinates, and every line
// it names lies inside the text.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/CassDxf.h"
#include "convert/CassPointScan.h"
#include "convert/CassPointWords.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckLine(std::string_view text, const halvex::TextLine& line) {
    Check(line.start + line.length <= text.size());
    halvex::CassPointWords words;
    Check(halvex::ReadCassPointWords(text.substr(line.start, line.length), words));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const halvex::CassPointScan scan = halvex::ScanCassPoints(text);
    const std::size_t found = scan.points.size() + scan.skipped.size();
    const halvex::DxfDrawing drawing = halvex::BuildCassDxf(text);
    Check(found == static_cast<std::size_t>(drawing.points) + drawing.leftOutCount);
    Check(drawing.points == static_cast<int>(scan.points.size()));
    std::size_t previous = 0;
    for (const halvex::ScannedPoint& point : scan.points) {
        CheckLine(text, point.line);
        Check(std::isfinite(point.east) && std::isfinite(point.north));
        Check(previous <= point.line.start);
        previous = point.line.start + 1;
    }
    previous = 0;
    for (const halvex::SkippedPointLine& skipped : scan.skipped) {
        CheckLine(text, skipped.line);
        Check(!(skipped.eastIsNumber && skipped.northIsNumber && skipped.heightIsNumber));
        Check(skipped.editorLine >= 1 && previous <= skipped.line.start);
        previous = skipped.line.start + 1;
    }
    Check((scan.end == halvex::ScanEnd::Complete) == (scan.endLine == 0));
    return 0;
}
