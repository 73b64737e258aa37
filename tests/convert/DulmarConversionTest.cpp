#include <gtest/gtest.h>

#include <string>

#include "convert/DulmarConversion.h"

namespace halvex {
namespace {

struct DulmarCase {
    std::string text;
    std::string output;
};

class DulmarTable : public ::testing::TestWithParam<DulmarCase> {};

TEST_P(DulmarTable, RearrangesTheWords) {
    const ConversionResult result = ConvertDulmarToCass(GetParam().text);
    EXPECT_EQ(result.output, GetParam().output);
    EXPECT_EQ(result.produced, !GetParam().output.empty());
    EXPECT_FALSE(result.wrongFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DulmarTable,
    ::testing::Values(DulmarCase{"P1,100.5,200.25,3.1,TREE\r\n", "P1,TREE,100.5,200.25,3.1\r\n"},
                      DulmarCase{"P1,1,2,3,C,extra,more\r\n", "P1,C,1,2,3\r\n"},
                      DulmarCase{" P 1 , 1 ,2,3,C\r\n", "P,C,1,2,3\r\n"},
                      DulmarCase{"P1,,,,\r\n", "P1,,,,\r\n"},
                      DulmarCase{"TITLE\r\nA,B,C\r\nP1,1,2,3,C\r\n", "P1,C,1,2,3\r\n"},
                      DulmarCase{"P1,1,2,3,C\r\n\r\nP2,1,2,3,C\r\n", "P1,C,1,2,3\r\n"},
                      DulmarCase{"P1,1,2,3,C\r\n\nP2,1,2,3,C\r\n", "P1,C,1,2,3\r\n,C,1,2,3\r\n"},
                      DulmarCase{"P1,x,1e3,-0.0,C D\r\n", "P1,C,x,1e3,-0.0\r\n"},
                      DulmarCase{"P1,1,2,3,C\r\nP2,4,5,6,D", "P1,C,1,2,3\r\n"},
                      DulmarCase{"P1,1,2,3,C\nP2,4,5,6,D\n", ""},
                      DulmarCase{"\rP1,1,2,3,C\r\n", ""}, DulmarCase{"", ""},
                      DulmarCase{"A,B,C,D\r\n", ""},
                      DulmarCase{"P\r1,2,3,4,C\r\n", "1,C,2,3,4\r\n"}));

TEST(ConvertDulmarToCass, LongWordsAreCopiedWhole) {
    const std::string word(400, 'w');
    const ConversionResult result =
        ConvertDulmarToCass(word + "," + word + ",2,3," + word + "\r\n");
    EXPECT_EQ(result.output, word + "," + word + "," + word + ",2,3\r\n");
}

}  // namespace
}  // namespace halvex
