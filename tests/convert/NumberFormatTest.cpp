#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "CommaLocale.h"
#include "convert/NumberFormat.h"

namespace halvex {
namespace {

struct FormatCase {
    double value;
    int decimals;
    std::string text;
};

class FormatFixedTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatFixedTable, WritesExpectedText) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatFixed(c.value, c.decimals), c.text) << c.value << " with " << c.decimals;
    std::string appended = "x";
    AppendFixed(appended, c.value, c.decimals);
    EXPECT_EQ(appended, "x" + c.text);
}

// Exact binary ties in every form the program writes round away from zero.
INSTANTIATE_TEST_SUITE_P(
    HalfwayAwayFromZero, FormatFixedTable,
    ::testing::Values(FormatCase{0.5, 0, "1"}, FormatCase{1.5, 0, "2"}, FormatCase{2.5, 0, "3"},
                      FormatCase{-2.5, 0, "-3"}, FormatCase{-0.5, 0, "-1"},
                      FormatCase{9.5, 0, "10"}, FormatCase{-99.5, 0, "-100"},
                      FormatCase{0.125, 2, "0.13"}, FormatCase{0.375, 2, "0.38"},
                      FormatCase{0.0625, 3, "0.063"}, FormatCase{2.0625, 3, "2.063"},
                      FormatCase{-2.0625, 3, "-2.063"}, FormatCase{0.9375, 3, "0.938"},
                      FormatCase{9.75, 1, "9.8"},
                      FormatCase{9.9995, 3, "9.999"},  // not a binary tie: stored below the half
                      FormatCase{0.03125, 4, "0.0313"}, FormatCase{-1.03125, 4, "-1.0313"},
                      FormatCase{0.0000005, 6, "0.000000"},  // 5e-7 is not a binary tie
                      FormatCase{0.0000152587890625, 6, "0.000015"},
                      FormatCase{1.0000001192092896, 6, "1.000000"},
                      FormatCase{0.0009765625, 6, "0.000977"},  // 2^-10, exact digits 0.0009765625
                      FormatCase{0.001953125, 8,
                                 "0.00195313"},  // 2^-9 with 8 decimals: ...3125 -> ...313
                      FormatCase{4503599627370495.5, 0, "4503599627370496"},
                      FormatCase{1099511627776.0078125, 6, "1099511627776.007813"}));

// Everything else is exactly what printf gives in the C locale.
INSTANTIATE_TEST_SUITE_P(
    LikePrintf, FormatFixedTable,
    ::testing::Values(FormatCase{0, 3, "0.000"}, FormatCase{-0.0, 3, "-0.000"},
                      FormatCase{-0.0001, 3, "-0.000"}, FormatCase{-0.0004, 0, "-0"},
                      FormatCase{1.0005, 3, "1.000"}, FormatCase{2345.678, 3, "2345.678"},
                      FormatCase{2346.678, 6, "2346.678000"}, FormatCase{12.345, 3, "12.345"},
                      FormatCase{200250 * 0.001, 3, "200.250"},
                      FormatCase{-3100 * 0.001, 3, "-3.100"},
                      FormatCase{1e21, 0, "1000000000000000000000"},
                      FormatCase{1e-7, 6, "0.000000"}, FormatCase{0.1, 17, "0.10000000000000001"},
                      FormatCase{123.456, 4, "123.4560"}, FormatCase{0.6, 0, "1"},
                      FormatCase{0.4, 0, "0"}, FormatCase{99.9996, 3, "100.000"}));

INSTANTIATE_TEST_SUITE_P(
    NotFinite, FormatFixedTable,
    ::testing::Values(FormatCase{std::numeric_limits<double>::infinity(), 3, "inf"},
                      FormatCase{-std::numeric_limits<double>::infinity(), 6, "-inf"},
                      FormatCase{std::numeric_limits<double>::quiet_NaN(), 3, "nan"},
                      FormatCase{-std::numeric_limits<double>::quiet_NaN(), 0, "nan"}));

TEST(FormatFixed, LargestDoubleHasAllItsDigits) {
    const std::string text = FormatFixed(-std::numeric_limits<double>::max(), 6);
    EXPECT_EQ(text.size(), 1u + 309u + 1u + 6u);
    EXPECT_EQ(text.substr(0, 8), "-1797693");
    EXPECT_EQ(text.substr(text.size() - 7), ".000000");
}

std::string Printf(double value, int decimals) {
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

bool IsBinaryTie(double value, int decimals) {
    const double scaled = std::ldexp(value, decimals + 1);
    return std::isfinite(scaled) && scaled == std::trunc(scaled) && std::fmod(scaled, 2.0) != 0.0;
}

// printf is the reference for every value that is not an exact tie; ties are counted so the test
// shows it did exercise both paths.
TEST(FormatFixed, AgreesWithPrintfExceptOnTies) {
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> magnitude(-12.0, 12.0);
    std::uniform_int_distribution<int> thousandths(-5'000'000, 5'000'000);
    int ties = 0;
    for (int i = 0; i < 200000; ++i) {
        double value = i % 2 ? std::pow(10.0, magnitude(random)) * (i % 4 == 1 ? -1 : 1)
                             : thousandths(random) / 1024.0;  // many exact ties
        for (int decimals : {0, 3, 4, 6}) {
            if (IsBinaryTie(value, decimals)) {
                ++ties;
                continue;
            }
            ASSERT_EQ(FormatFixed(value, decimals), Printf(value, decimals))
                << "value " << value << " decimals " << decimals;
        }
    }
    EXPECT_GT(ties, 1000);
}

TEST(FormatFixed, TiesLandHalfAUnitFurtherFromZero) {
    for (int decimals : {0, 3, 4, 6}) {
        const double unit = std::pow(10.0, -decimals);
        for (int k = -3000; k <= 3000; k += 7) {
            const double value = std::ldexp(2.0 * k + 1, -(decimals + 1));
            const double written = std::stod(FormatFixed(value, decimals));
            EXPECT_GT(std::fabs(written), std::fabs(value)) << value << " " << decimals;
            EXPECT_NEAR(std::fabs(written) - std::fabs(value), unit / 2, unit * 1e-6)
                << value << " " << decimals;
        }
    }
}

TEST(FormatFixed, IgnoresACommaDecimalLocale) {
    testing::CommaLocale locale;
    if (!locale.Active()) GTEST_SKIP() << "no locale with a comma decimal mark is installed";
    EXPECT_EQ(FormatFixed(1234.5678, 3), "1234.568");
    EXPECT_EQ(FormatFixed(-2.5, 0), "-3");
    EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
    EXPECT_EQ(FormatFixed(2346.678, 6), "2346.678000");
    std::string out;
    AppendFixed(out, 1e6, 4);
    EXPECT_EQ(out, "1000000.0000");
}

}  // namespace
}  // namespace halvex
