#include "convert/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <string_view>

namespace halvex {

namespace {

// Room for the integer digits of the largest double (309), a sign, a point and the decimals.
constexpr std::size_t kBufferSize = 400;
constexpr int kMaxDecimals = 17;

// True when the value lies exactly halfway between two numbers with the given decimals, that is
// when value * 10^decimals = k + 1/2. Such a value equals an odd integer divided by
// 2^(decimals + 1), and no other double does.
bool IsExactTie(double value, int decimals) {
    const double scaled = std::ldexp(value, decimals + 1);
    if (!std::isfinite(scaled) || scaled != std::trunc(scaled)) return false;
    return std::fmod(scaled, 2.0) != 0.0;
}

// Adds one unit in the last place to the magnitude of a fixed-point text "[-]digits[.digits]",
// carrying through nines and over the point; the text may grow by one digit.
std::size_t IncrementMagnitude(char* text, std::size_t length) {
    const std::size_t firstDigit = text[0] == '-' ? 1 : 0;
    for (std::size_t i = length; i-- > firstDigit;) {
        if (text[i] == '.') continue;
        if (text[i] != '9') {
            ++text[i];
            return length;
        }
        text[i] = '0';
    }
    for (std::size_t i = length; i > firstDigit; --i) text[i] = text[i - 1];
    text[firstDigit] = '1';
    return length + 1;
}

std::string_view FormatInto(std::array<char, kBufferSize>& buffer, double value, int decimals) {
    if (decimals < 0) decimals = 0;
    if (decimals > kMaxDecimals) decimals = kMaxDecimals;
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";

    char* const begin = buffer.data();
    char* const end = begin + buffer.size() - 1;  // one spare byte for a carry
    if (!IsExactTie(value, decimals)) {
        const auto result = std::to_chars(begin, end, value, std::chars_format::fixed, decimals);
        return {begin, static_cast<std::size_t>(result.ptr - begin)};
    }
    // The exact value has decimals + 1 fractional digits, the last being 5: write it exactly,
    // drop that 5 (and a point left without decimals), and round the magnitude up.
    const auto result = std::to_chars(begin, end, value, std::chars_format::fixed, decimals + 1);
    std::size_t length = static_cast<std::size_t>(result.ptr - begin) - 1;
    if (decimals == 0) --length;
    length = IncrementMagnitude(begin, length);
    return {begin, length};
}

}  // namespace

std::string FormatFixed(double value, int decimals) {
    std::array<char, kBufferSize> buffer;
    return std::string(FormatInto(buffer, value, decimals));
}

void AppendFixed(std::string& out, double value, int decimals) {
    std::array<char, kBufferSize> buffer;
    out.append(FormatInto(buffer, value, decimals));
}

}  // namespace halvex
