// ParseCassLine, CopyToken, ReadNumber and both line scans on arbitrary bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/CassLine.h"
#include "convert/CopyToken.h"
#include "convert/LineScan.h"
#include "convert/NumberReader.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

// A line handed over by a scan lies inside the text.
void CheckInside(std::string_view text, std::string_view line) {
    Check(line.data() >= text.data() && line.data() + line.size() <= text.data() + text.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    halvex::ForEachCrLine(text, [&](std::string_view line) {
        CheckInside(text, line);
        Check(!line.empty() && line.find('\r') == std::string_view::npos);
        halvex::CassPoint point;
        const int commas = halvex::ParseCassLine(line, point);
        Check(commas >= 0);
        if (commas == halvex::kCassLineCommas) {
            Check(point.name.find_first_of(" ,") == std::string::npos);
            Check(point.code.find_first_of(" ,") == std::string::npos);
        }
        const std::string word = halvex::CopyToken(line);
        Check(word.find_first_of(" ,\n") == std::string::npos && word.size() <= line.size());
    });
    halvex::ForEachLfLine(text, [&](std::string_view line) {
        CheckInside(text, line);
        Check(!line.empty() && line.find('\n') == std::string_view::npos);
    });

    std::size_t consumed = 0;
    const double value = halvex::ReadNumber(text, &consumed);
    Check(consumed <= size);
    Check(value == value);  // never NaN
    if (consumed == 0) Check(value == 0.0);
    return 0;
}
