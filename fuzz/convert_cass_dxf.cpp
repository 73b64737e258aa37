// BuildCassDxf on arbitrary bytes: the drawing is always the head, one 28-line block per point
// and the tail, every line ended by CR LF.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/CassDxf.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const halvex::DxfDrawing drawing = halvex::BuildCassDxf(text);
    const std::string& bytes = drawing.bytes;
    const std::string& head = halvex::DxfHead();
    Check(bytes.starts_with(head));
    Check(bytes.ends_with("ENDSEC\r\n 0\r\nEOF\r\n"));
    Check(drawing.points >= 0);
    // Words never hold CR LF, so the line count is fixed by the number of points.
    const auto crlf = [](std::string_view s) {
        std::size_t count = 0;
        for (std::size_t at = s.find("\r\n"); at != std::string_view::npos;
             at = s.find("\r\n", at + 2))
            ++count;
        return count;
    };
    Check(crlf(bytes) == 225 + 28 * static_cast<std::size_t>(drawing.points) + 3);
    return 0;
}
