#pragma once
// What every conversion's result must satisfy, whatever its input: output exactly when something
// was produced, every output line ended by CR LF, and no output for a refused text.

#include <cstdlib>

#include "convert/ConversionResult.h"

namespace halvex::fuzz {

inline void CheckConversionResult(const ConversionResult& result) {
    if (result.produced == result.output.empty()) std::abort();
    if (result.produced && !result.output.ends_with("\r\n")) std::abort();
    if (result.wrongFormat && result.produced) std::abort();
}

}  // namespace halvex::fuzz
