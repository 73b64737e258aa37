#include "convert/NumberReader.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "common/ByteClasses.h"

namespace halvex {

namespace {

// Where a run of digits starting at pos ends.
std::size_t SkipDigits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && IsDigit(text[pos])) ++pos;
    return pos;
}

// Decimal exponent of the leading significant digit of an unsigned number text (digits, optional
// point, optional exponent), saturated so that absurd exponents cannot overflow. Only used to tell
// an overflow from an underflow when the value does not fit a double.
long long LeadingDecimalExponent(std::string_view number) {
    constexpr long long kLimit = 1'000'000'000;
    const std::size_t integerEnd = SkipDigits(number, 0);
    long long leading = 0;
    bool found = false;
    for (std::size_t i = 0; i < integerEnd && !found; ++i) {
        if (number[i] != '0') {
            found = true;
            leading = static_cast<long long>(integerEnd - 1 - i);
        }
    }
    std::size_t i = integerEnd;
    if (i < number.size() && number[i] == '.') {
        ++i;
        for (long long k = 1; i < number.size() && IsDigit(number[i]); ++i, ++k) {
            if (!found && number[i] != '0') {
                found = true;
                leading = -k;
            }
        }
    }
    long long exponent = 0;
    if (i < number.size()) {  // 'e' or 'E', then an optional sign and digits
        ++i;
        const bool negative = number[i] == '-';
        if (number[i] == '+' || number[i] == '-') ++i;
        for (; i < number.size(); ++i)
            exponent = std::min(kLimit, exponent * 10 + (number[i] - '0'));
        if (negative) exponent = -exponent;
    }
    return leading + exponent;
}

}  // namespace

double ReadNumber(std::string_view text, std::size_t* consumed) {
    if (consumed) *consumed = 0;
    std::size_t pos = 0;
    while (pos < text.size() && IsSpace(text[pos])) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::size_t start = pos;
    std::size_t end = SkipDigits(text, pos);
    std::size_t digitCount = end - start;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digitCount += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digitCount == 0) return 0.0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponentStart = end + 1;
        if (exponentStart < text.size() &&
            (text[exponentStart] == '+' || text[exponentStart] == '-'))
            ++exponentStart;
        const std::size_t exponentEnd = SkipDigits(text, exponentStart);
        if (exponentEnd > exponentStart) end = exponentEnd;
    }
    if (consumed) *consumed = end;

    const std::string_view number = text.substr(start, end - start);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = LeadingDecimalExponent(number) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -value : value;
}

std::int32_t ReadLeadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t magnitude = 0;
    constexpr std::int64_t kCap = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        magnitude = std::min(kCap, magnitude * 10 + (text[i] - '0'));
    }
    std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace halvex
