// FormatFixed and ReadNumber on arbitrary doubles: the text reads back as the value it was
// rounded from, and agrees with printf except on exact halves.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/NumberFormat.h"
#include "convert/NumberReader.h"

namespace {

bool IsExactHalf(double value, int decimals) {
    const double scaled = std::ldexp(value, decimals + 1);
    return std::isfinite(scaled) && scaled == std::trunc(scaled) && std::fmod(scaled, 2.0) != 0.0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof(double) + 1) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const int decimals = data[sizeof value] % 18;
    const std::string text = halvex::FormatFixed(value, decimals);
    if (!std::isfinite(value)) return 0;

    if (!IsExactHalf(value, decimals)) {
        char printed[400];
        std::snprintf(printed, sizeof printed, "%.*f", decimals, value);
        if (text != printed) std::abort();
    }
    std::size_t consumed = 0;
    const double back = halvex::ReadNumber(text, &consumed);
    if (consumed != text.size()) std::abort();
    if (std::fabs(back - value) > std::pow(10.0, -decimals) * 0.5000001 + std::fabs(value) * 1e-15)
        std::abort();
    return 0;
}
