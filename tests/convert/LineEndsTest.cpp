#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "convert/LineEnds.h"

namespace halvex {
namespace {

TEST(LineEnds, OnlyAnLfWithoutCrGainsOne) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"a\r\nb\r\n", "a\r\nb\r\n"},
        {"lone\rCR\r", "lone\rCR\r"},
        {"\n\nx", "\r\n\r\nx"},
        {"mixed\r\n\nand\r\r\n\n", "mixed\r\n\r\nand\r\r\n\r\n"},
        {"\x02\xFF\n\x03", "\x02\xFF\r\n\x03"},
    };
    for (const auto& [text, crLf] : cases) {
        EXPECT_EQ(LfToCrLf(text), crLf);
        EXPECT_EQ(HasLfWithoutCr(text), crLf != text) << text;
    }
}

}  // namespace
}  // namespace halvex
