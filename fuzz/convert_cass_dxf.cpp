// BuildCassDxf on arbitrary bytes: the drawing is always the head, one 28-line block per point
// and the tail, every line ended by CR LF, and every coordinate it writes is a finite number, so
// that a reader of the drawing can take it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/CassDxf.h"
#include "convert/CoordinateField.h"

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
    std::size_t line = 0;
    for (std::size_t start = head.size(), end;
         (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2, ++line) {
        const std::size_t inBlock = line % 28;  // lines 7, 9 and 11 of a block hold X, Y and Z
        if (line / 28 >= static_cast<std::size_t>(drawing.points) || inBlock < 6 || inBlock > 10 ||
            inBlock % 2 != 0)
            continue;
        const halvex::CoordinateField field =
            halvex::ReadCoordinateField(std::string_view(bytes).substr(start, end - start));
        Check(field.IsNumber() && field.HasFiniteValue());
    }
    return 0;
}
