// ConvertTamselToCass on arbitrary bytes: no crash, and output only with lines ended by CR LF.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ConversionChecks.h"
#include "convert/TamselCassConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    halvex::fuzz::CheckConversionResult(halvex::ConvertTamselToCass(text));
    return 0;
}
