#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "CommaLocale.h"
#include "convert/NumberReader.h"

namespace halvex {
namespace {

struct ReadCase {
    std::string text;
    double value;
    std::size_t consumed;
};

class ReadNumberTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadNumberTable, ReadsValueAndLength) {
    const ReadCase& c = GetParam();
    std::size_t consumed = 999;
    const double value = ReadNumber(c.text, &consumed);
    EXPECT_DOUBLE_EQ(value, c.value) << '"' << c.text << '"';
    EXPECT_EQ(consumed, c.consumed) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Forms, ReadNumberTable,
    ::testing::Values(ReadCase{"", 0, 0}, ReadCase{"12", 12, 2}, ReadCase{"-12.5", -12.5, 5},
                      ReadCase{"+7", 7, 2}, ReadCase{".5", 0.5, 2}, ReadCase{"5.", 5, 2},
                      ReadCase{"-.25x", -0.25, 4}, ReadCase{"7e2", 700, 3},
                      ReadCase{"7E+2", 700, 4}, ReadCase{"25e-1", 2.5, 5}, ReadCase{"1.5e", 1.5, 3},
                      ReadCase{"1.5e+", 1.5, 3}, ReadCase{"1.5E-x", 1.5, 3},
                      ReadCase{"2345.678,1", 2345.678, 8}, ReadCase{"12.345\r", 12.345, 6},
                      ReadCase{"12.5 m", 12.5, 4}, ReadCase{"1.2.3", 1.2, 3},
                      ReadCase{"000200250", 200250, 9}, ReadCase{"+000100500", 100500, 10}));

INSTANTIATE_TEST_SUITE_P(WhiteSpace, ReadNumberTable,
                         ::testing::Values(ReadCase{"  3", 3, 3}, ReadCase{"\t3", 3, 2},
                                           ReadCase{"\r\n3", 3, 3}, ReadCase{"\v\f-3", -3, 4},
                                           ReadCase{" - 3", 0, 0},
                                           ReadCase{std::string(1, '\x85') + "3", 0, 0},
                                           ReadCase{std::string(1, '\xa0') + "3", 0, 0}));

INSTANTIATE_TEST_SUITE_P(NotNumbers, ReadNumberTable,
                         ::testing::Values(ReadCase{"inf", 0, 0}, ReadCase{"-infinity", 0, 0},
                                           ReadCase{"nan", 0, 0}, ReadCase{"NAN(1)", 0, 0},
                                           ReadCase{"0x1A", 0, 1}, ReadCase{"x", 0, 0},
                                           ReadCase{"+", 0, 0}, ReadCase{"-.", 0, 0},
                                           ReadCase{".", 0, 0}, ReadCase{"e5", 0, 0},
                                           ReadCase{",5", 0, 0}, ReadCase{"   ", 0, 0}));

TEST(ReadNumber, ConsumedMayBeOmitted) { EXPECT_DOUBLE_EQ(ReadNumber("  -4.5abc"), -4.5); }

TEST(ReadNumber, StopsAtTheEndOfTheViewNotAtATerminator) {
    const std::string text = "123456";
    EXPECT_DOUBLE_EQ(ReadNumber(std::string_view(text).substr(0, 3)), 123);
}

TEST(ReadNumber, NegativeZeroKeepsItsSign) {
    EXPECT_TRUE(std::signbit(ReadNumber("-0")));
    EXPECT_FALSE(std::signbit(ReadNumber("0")));
}

TEST(ReadNumber, ReadsTheNearestDouble) {
    EXPECT_EQ(ReadNumber("0.1"), 0.1);
    EXPECT_EQ(ReadNumber("2345.678"), 2345.678);
    EXPECT_EQ(ReadNumber("1.0005"), 1.0005);
    EXPECT_EQ(ReadNumber("123456789012345678901234567890"), 123456789012345678901234567890.0);
    EXPECT_EQ(ReadNumber("0.000000000000000000000000000001"), 1e-30);
}

TEST(ReadNumber, TooLargeGivesSignedInfinityAndTooSmallGivesSignedZero) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(ReadNumber("1e400"), kInf);
    EXPECT_EQ(ReadNumber("-1e400"), -kInf);
    EXPECT_EQ(ReadNumber("1" + std::string(400, '0')), kInf);
    EXPECT_EQ(ReadNumber("0.00001e99999999999999999999"), kInf);
    EXPECT_EQ(ReadNumber("1e-400"), 0.0);
    EXPECT_EQ(ReadNumber("10000e-99999999999999999999"), 0.0);
    EXPECT_TRUE(std::signbit(ReadNumber("-1e-400")));
    EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(ReadNumber("1.7976931348623157e308"), std::numeric_limits<double>::max());
}

TEST(ReadNumber, ConsumesVeryLongDigitRuns) {
    const std::string digits = "0." + std::string(100000, '3') + "z";
    std::size_t consumed = 0;
    EXPECT_NEAR(ReadNumber(digits, &consumed), 1.0 / 3.0, 1e-15);
    EXPECT_EQ(consumed, digits.size() - 1);
}

TEST(ReadNumber, IgnoresACommaDecimalLocale) {
    testing::CommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a comma decimal mark is installed";
    std::size_t consumed = 0;
    EXPECT_DOUBLE_EQ(ReadNumber("1234.567", &consumed), 1234.567);
    EXPECT_EQ(consumed, 8u);
    EXPECT_DOUBLE_EQ(ReadNumber("1234,567", &consumed), 1234);
    EXPECT_EQ(consumed, 4u);
}

TEST(ReadLeadingInteger, ReadsSignAndDigitsAndHoldsAtTheRangeEnds) {
    // clang-format off
    const std::vector<std::pair<std::string, std::int32_t>> cases = {
        {"12,X", 12},   {"  7abc", 7}, {"\t-3,X", -3}, {"+8", 8},
        {"A,ROAD", 0},  {"- 3", 0},    {"", 0},        {"007", 7},
        {"99999999999999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999999999999", std::numeric_limits<std::int32_t>::min()},
        {"-2147483648", std::numeric_limits<std::int32_t>::min()},
    };
    // clang-format on
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ReadLeadingInteger(text), expected) << text;
}

}  // namespace
}  // namespace halvex
