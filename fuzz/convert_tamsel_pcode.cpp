// ConvertTamselPcode on arbitrary bytes: no crash, and output only with lines ended by CR LF.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "convert/TamselPcodeConversion.h"

namespace {

void CheckOutput(const halvex::ConversionResult& result) {
    if (result.produced == result.output.empty()) std::abort();
    if (result.produced && !result.output.ends_with("\r\n")) std::abort();
    if (result.wrongFormat && result.produced) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckOutput(halvex::ConvertTamselPcode(text));
    return 0;
}
