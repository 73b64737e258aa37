#include <gtest/gtest.h>

#include <optional>

#include "port/ParameterValidation.h"

namespace halvex {
namespace {

const std::string kRange = "Please enter an integer between 1 and 1000.";

TEST(ParameterFields, SignedParseRules) {
    struct Row {
        std::string text;
        std::optional<std::int32_t> value;  // nothing: not an integer
    };
    const Row rows[] = {
        {"25", 25},
        {"  \t25\t  ", 25},
        {"+7", 7},
        {"-5", -5},
        {"0", 0},
        {"000", 0},
        {" 0 ", 0},
        {"-0", std::nullopt},  // zero whose first non-blank is not the digit 0
        {"+0", std::nullopt},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12abc", std::nullopt},
        {"12 34", std::nullopt},
        {"0x1A", std::nullopt},
        {"1.5", std::nullopt},
        {"- 5", std::nullopt},
        {"+-5", std::nullopt},
        {"--5", std::nullopt},
        {"-", std::nullopt},
        {"5\n", std::nullopt},  // only blanks and tabs are ignored
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},  // saturates
        {"99999999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-99999999999", -2147483647 - 1},
    };
    for (const Row& row : rows) {
        std::int32_t value = 12345;
        const bool ok = ParseSignedField(row.text, value);
        EXPECT_EQ(ok, row.value.has_value()) << "'" << row.text << "'";
        if (ok && row.value) {
            EXPECT_EQ(value, *row.value) << "'" << row.text << "'";
        }
    }
}

TEST(ParameterFields, UnsignedParseRules) {
    struct Row {
        std::string text;
        std::optional<std::uint32_t> value;
    };
    const Row rows[] = {
        {"800", 800u},
        {"\t+12 ", 12u},
        {"0", 0u},
        {"-5", std::nullopt},
        {"  -0", std::nullopt},
        {"+0", std::nullopt},
        {"", std::nullopt},
        {"x1", std::nullopt},
        {"1x", std::nullopt},
        {"4294967295", 4294967295u},
        {"4294967296", 4294967295u},
        {"123456789012345678901234567890", 4294967295u},
    };
    for (const Row& row : rows) {
        std::uint32_t value = 12345;
        const bool ok = ParseUnsignedField(row.text, value);
        EXPECT_EQ(ok, row.value.has_value()) << "'" << row.text << "'";
        if (ok && row.value) {
            EXPECT_EQ(value, *row.value) << "'" << row.text << "'";
        }
    }
}

TEST(ParameterFields, OnlyTheFirst31CharactersAreRead) {
    std::int32_t value = 0;
    // 30 blanks and "5" fit; whatever follows the 31st character is never seen.
    EXPECT_TRUE(ParseSignedField(std::string(30, ' ') + "5" + "garbage", value));
    EXPECT_EQ(value, 5);
    // 31 blanks leave nothing to read.
    EXPECT_FALSE(ParseSignedField(std::string(31, ' ') + "5", value));
    // A number cut at the 31st character is read as far as it goes.
    std::uint32_t delay = 0;
    EXPECT_TRUE(ParseUnsignedField(std::string(29, ' ') + "12345", delay));
    EXPECT_EQ(delay, 12u);
}

TEST(ParameterExchange, FirstFailureDecidesFieldAndMessage) {
    struct Row {
        std::string timeout;
        std::string delay;
        ParameterField field;
        std::string message;
    };
    const Row rows[] = {
        {"0", "800", ParameterField::Timeout, kRange},
        {"", "800", ParameterField::Timeout, "Please enter an integer."},
        {"ten", "800", ParameterField::Timeout, "Please enter an integer."},
        {"10s", "800", ParameterField::Timeout, "Please enter an integer."},
        {"1 0", "800", ParameterField::Timeout, "Please enter an integer."},
        {"-5", "800", ParameterField::Timeout, kRange},
        {"1001", "800", ParameterField::Timeout, kRange},
        {"99999999999", "800", ParameterField::Timeout, kRange},
        {"abc", "-5", ParameterField::Timeout, "Please enter an integer."},  // timeout first
        {"0", "abc", ParameterField::Timeout, kRange},
        {"10", "-5", ParameterField::Delay, "Please enter a positive integer."},
        {"10", "", ParameterField::Delay, "Please enter a positive integer."},
        {"10", "0", ParameterField::Delay, kRange},
        {"10", "1001", ParameterField::Delay, kRange},
        {"10", "99999999999", ParameterField::Delay, kRange},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("timeout '" + row.timeout + "', delay '" + row.delay + "'");
        const ParameterValidation result = ValidateParameterFields(row.timeout, row.delay);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.failedField, row.field);
        EXPECT_EQ(result.message, row.message);
    }
}

TEST(ParameterExchange, BoundsAndBlanksPass) {
    struct Row {
        std::string timeout;
        std::string delay;
        std::int32_t expectedTimeout;
        std::uint32_t expectedDelay;
    };
    const Row rows[] = {
        {"1", "1", 1, 1},
        {"1000", "1000", 1000, 1000},
        {" \t25 \t", "\t+800 ", 25, 800},
        {"+10", "0800", 10, 800},
    };
    for (const Row& row : rows) {
        const ParameterValidation result = ValidateParameterFields(row.timeout, row.delay);
        ASSERT_TRUE(result.ok) << row.timeout << " / " << row.delay;
        EXPECT_EQ(result.failedField, ParameterField::None);
        EXPECT_TRUE(result.message.empty());
        EXPECT_EQ(result.timeout, row.expectedTimeout);
        EXPECT_EQ(result.delay, row.expectedDelay);
    }
}

TEST(ParameterDialogMembers, RoundTripKeepsEveryFieldInItsPlace) {
    const CommSettingsValues settings{4, 1, 250, 6, 0, 1, 2, 35};
    const ParameterDialogMembers members = DialogMembersFrom(settings);
    EXPECT_EQ(members, (ParameterDialogMembers{6, 0, 2, 4, 1, 1, 250, 35u}));
    EXPECT_EQ(CommSettingsFrom(members), settings);
    // A group with no checked button comes back as -1.
    ParameterDialogMembers unchecked = members;
    unchecked.portIndex = -1;
    EXPECT_EQ(CommSettingsFrom(unchecked).PortIndex, -1);
}

TEST(ParameterDialogMembers, FieldTextsAndRangeMessage) {
    EXPECT_EQ(TimeoutFieldText(10), "10");
    EXPECT_EQ(TimeoutFieldText(-7), "-7");
    EXPECT_EQ(DelayFieldText(800u), "800");
    EXPECT_EQ(DelayFieldText(4294967295u), "4294967295");
    EXPECT_EQ(RangeMessage(1, 1000), kRange);
}

}  // namespace
}  // namespace halvex
