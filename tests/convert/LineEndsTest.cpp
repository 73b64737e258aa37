#include <gtest/gtest.h>

#include <string>

#include "convert/LineEnds.h"

namespace halvex {
namespace {

struct LineEndCase {
    std::string text;
    bool lfWithoutCr;
    std::string crLf;
};

class LineEnds : public ::testing::TestWithParam<LineEndCase> {};

TEST_P(LineEnds, OnlyAnLfWithoutCrGainsOne) {
    EXPECT_EQ(HasLfWithoutCr(GetParam().text), GetParam().lfWithoutCr);
    EXPECT_EQ(LfToCrLf(GetParam().text), GetParam().crLf);
    EXPECT_EQ(LfLineEndsHint(GetParam().text).empty(), !GetParam().lfWithoutCr);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LineEnds,
    ::testing::Values(LineEndCase{"", false, ""}, LineEndCase{"no line end", false, "no line end"},
                      LineEndCase{"a\r\nb\r\n", false, "a\r\nb\r\n"},
                      LineEndCase{"lone\rCR\r", false, "lone\rCR\r"},
                      LineEndCase{"a\nb\n", true, "a\r\nb\r\n"},
                      LineEndCase{"\n\nx", true, "\r\n\r\nx"},
                      LineEndCase{"mixed\r\n\nand\r\r\n\n", true, "mixed\r\n\r\nand\r\r\n\r\n"},
                      LineEndCase{"\x02\xFF\n\x03", true, "\x02\xFF\r\n\x03"}));

}  // namespace
}  // namespace halvex
