#include "port/ParameterValidation.h"

#include <limits>
#include <string_view>

#include "common/ByteClasses.h"

namespace halvex {

namespace {

constexpr std::size_t kFieldCharacters = 31;

std::string_view SkipBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    return text;
}

// Reads the sign and digits at the start of `text` as a magnitude that saturates at `limit`.
// Consumes what it read; `digits` tells whether any digit was there.
std::uint64_t ReadSaturatingMagnitude(std::string_view& text, std::uint64_t limit, bool& digits) {
    std::uint64_t magnitude = 0;
    digits = false;
    while (!text.empty() && IsDigit(text.front())) {
        digits = true;
        magnitude =
            std::min(limit, magnitude * 10 + static_cast<std::uint64_t>(text.front() - '0'));
        text.remove_prefix(1);
    }
    return magnitude;
}

// The common frame: blanks before, number, blanks after, nothing else. `readNumber` reads the
// number from the front of the text and returns whether it found digits.
template <typename ReadNumber>
bool ParseField(const std::string& field, ReadNumber readNumber, bool& zero) {
    std::string_view text = SkipBlanks(std::string_view(field).substr(0, kFieldCharacters));
    const char first = text.empty() ? '\0' : text.front();
    const bool digits = readNumber(text);
    // A text without digits reads as 0; such a 0 is only real when the text began with "0".
    if ((!digits || zero) && first != '0') return false;
    return SkipBlanks(text).empty();
}

}  // namespace

std::string RangeMessage(std::int64_t low, std::int64_t high) {
    std::string message = kEnterRangeMessageTemplate;
    message.replace(message.find("%1"), 2, std::to_string(low));
    message.replace(message.find("%2"), 2, std::to_string(high));
    return message;
}

bool ParseSignedField(const std::string& field, std::int32_t& value) {
    bool zero = false;
    return ParseField(
        field,
        [&](std::string_view& text) {
            bool negative = false;
            if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
                negative = text.front() == '-';
                text.remove_prefix(1);
            }
            const std::uint64_t limit =
                negative ? std::uint64_t{1} << 31 : std::numeric_limits<std::int32_t>::max();
            bool digits = false;
            const std::uint64_t magnitude = ReadSaturatingMagnitude(text, limit, digits);
            value = negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude))
                             : static_cast<std::int32_t>(magnitude);
            zero = magnitude == 0;
            return digits;
        },
        zero);
}

bool ParseUnsignedField(const std::string& field, std::uint32_t& value) {
    bool zero = false;
    return ParseField(
        field,
        [&](std::string_view& text) {
            if (!text.empty() && text.front() == '-') return false;
            if (!text.empty() && text.front() == '+') text.remove_prefix(1);
            bool digits = false;
            const std::uint64_t magnitude =
                ReadSaturatingMagnitude(text, std::numeric_limits<std::uint32_t>::max(), digits);
            value = static_cast<std::uint32_t>(magnitude);
            zero = magnitude == 0;
            return digits;
        },
        zero);
}

ParameterValidation ValidateParameterFields(const std::string& timeoutText,
                                            const std::string& delayText) {
    ParameterValidation result;
    auto fail = [&](ParameterField field, std::string message) {
        result.failedField = field;
        result.message = std::move(message);
        return result;
    };
    if (!ParseSignedField(timeoutText, result.timeout)) {
        return fail(ParameterField::Timeout, kEnterIntegerMessage);
    }
    if (result.timeout < kParameterMinimum || result.timeout > kParameterMaximum) {
        return fail(ParameterField::Timeout, RangeMessage(kParameterMinimum, kParameterMaximum));
    }
    if (!ParseUnsignedField(delayText, result.delay)) {
        return fail(ParameterField::Delay, kEnterPositiveIntegerMessage);
    }
    if (result.delay < static_cast<std::uint32_t>(kParameterMinimum) ||
        result.delay > static_cast<std::uint32_t>(kParameterMaximum)) {
        return fail(ParameterField::Delay, RangeMessage(kParameterMinimum, kParameterMaximum));
    }
    result.ok = true;
    return result;
}

ParameterDialogMembers DialogMembersFrom(const CommSettingsValues& settings) {
    return {settings.BaudIndex,      settings.DataBitsIndex,
            settings.ParityIndex,    settings.PortIndex,
            settings.Protocol,       settings.StopBitsIndex,
            settings.TimeoutSeconds, static_cast<std::uint32_t>(settings.LineDelayMs)};
}

CommSettingsValues CommSettingsFrom(const ParameterDialogMembers& members) {
    CommSettingsValues settings;
    settings.PortIndex = members.portIndex;
    settings.Protocol = members.protocol;
    settings.TimeoutSeconds = members.timeout;
    settings.BaudIndex = members.baudIndex;
    settings.DataBitsIndex = members.dataBitsIndex;
    settings.StopBitsIndex = members.stopBitsIndex;
    settings.ParityIndex = members.parityIndex;
    settings.LineDelayMs = static_cast<std::int32_t>(members.delay);
    return settings;
}

std::string TimeoutFieldText(std::int32_t timeout) { return std::to_string(timeout); }

std::string DelayFieldText(std::uint32_t delay) { return std::to_string(delay); }

}  // namespace halvex
