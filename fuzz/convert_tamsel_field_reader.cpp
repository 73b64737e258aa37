// TamselFieldReader fed with arbitrary lines: the fields and the carry must always give back the
// stream exactly, from its first "_" on.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "convert/TamselFieldReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    halvex::TamselFieldReader reader;
    std::string stream;
    std::string rebuilt;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        stream.append(line.substr(0, halvex::kTamselBlockSize));
        reader.Feed(line, [&](std::string_view field) {
            if (field.find('_') != std::string_view::npos) std::abort();
            rebuilt.append(1, '_').append(field);
        });
        start = end + 1;
    }
    const std::size_t first = stream.find('_');
    const std::string expected = first == std::string::npos ? "" : stream.substr(first);
    if (rebuilt + reader.Carry() != expected) std::abort();
    return 0;
}
