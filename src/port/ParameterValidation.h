#pragma once
// The parameter dialog's OK exchange, without the widgets: the two edit fields are parsed and
// range-checked in a fixed order, and the first failure names the field and the message to show
// (caption "Halvex"; the dialog then puts the focus back on that field with its text selected).

#include <cstdint>
#include <string>

#include "port/CommSettings.h"

namespace halvex {

inline constexpr const char* kEnterIntegerMessage = "Please enter an integer.";
inline constexpr const char* kEnterRangeMessageTemplate =
    "Please enter an integer between %1 and %2.";
inline constexpr const char* kEnterPositiveIntegerMessage = "Please enter a positive integer.";
inline constexpr std::int32_t kParameterMinimum = 1;
inline constexpr std::int32_t kParameterMaximum = 1000;

// The range message with %1 and %2 filled in.
std::string RangeMessage(std::int64_t low, std::int64_t high);

enum class ParameterField { None, Timeout, Delay };

struct ParameterValidation {
    bool ok = false;
    ParameterField failedField = ParameterField::None;
    std::string message;       // empty when ok
    std::int32_t timeout = 0;  // valid when ok
    std::uint32_t delay = 0;   // valid when ok
};

// Parses an edit field as a signed 32-bit integer: at most the first 31 characters count, blanks
// and tabs around are ignored, an optional sign and digits are all that may remain. A zero value
// passes only when the first non-blank character is the digit 0. Too large values saturate.
// False when the text is not such an integer.
bool ParseSignedField(const std::string& text, std::int32_t& value);
// The same for an unsigned 32-bit integer; a leading minus sign is refused outright.
bool ParseUnsignedField(const std::string& text, std::uint32_t& value);

// Timeout first (parse, then 1..1000), then delay (parse, then 1..1000); the first failure stops.
ParameterValidation ValidateParameterFields(const std::string& timeoutText,
                                            const std::string& delayText);

// The dialog's eight members in its own order (radio index -1: no button checked).
struct ParameterDialogMembers {
    std::int32_t baudIndex = -1;
    std::int32_t dataBitsIndex = -1;
    std::int32_t parityIndex = -1;
    std::int32_t portIndex = -1;
    std::int32_t protocol = -1;
    std::int32_t stopBitsIndex = -1;
    std::int32_t timeout = 0;
    std::uint32_t delay = 800;

    bool operator==(const ParameterDialogMembers&) const = default;
};

// What the command copies into the dialog before showing it, and back out after OK.
ParameterDialogMembers DialogMembersFrom(const CommSettingsValues& settings);
CommSettingsValues CommSettingsFrom(const ParameterDialogMembers& members);

// How the edit fields show the two numbers when the dialog opens.
std::string TimeoutFieldText(std::int32_t timeout);
std::string DelayFieldText(std::uint32_t delay);

}  // namespace halvex
