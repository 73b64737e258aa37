#include <gtest/gtest.h>

#include <string>

#include "convert/CassLine.h"

namespace halvex {
namespace {

struct CassCase {
    std::string line;
    int commas;
    CassPoint point;  // checked only when commas is 4
};

class ParseCassLineTable : public ::testing::TestWithParam<CassCase> {};

TEST_P(ParseCassLineTable, CountsCommasAndReadsPointLines) {
    const CassCase& c = GetParam();
    CassPoint point{"untouched", "untouched", -1, -1, -1};
    EXPECT_EQ(ParseCassLine(c.line, point), c.commas);
    const CassPoint& expected =
        c.commas == kCassLineCommas ? c.point : CassPoint{"untouched", "untouched", -1, -1, -1};
    EXPECT_EQ(point.name, expected.name);
    EXPECT_EQ(point.code, expected.code);
    EXPECT_DOUBLE_EQ(point.east, expected.east);
    EXPECT_DOUBLE_EQ(point.north, expected.north);
    EXPECT_DOUBLE_EQ(point.height, expected.height);
}

INSTANTIATE_TEST_SUITE_P(NotPointLines, ParseCassLineTable,
                         ::testing::Values(CassCase{"", 0, {}}, CassCase{"A,B,1,2", 3, {}},
                                           CassCase{"A,B,1,2,3,4", 5, {}},
                                           CassCase{"title line", 0, {}},
                                           CassCase{",,,,,,,,,,", 10, {}}, CassCase{"\r", 0, {}}));

INSTANTIATE_TEST_SUITE_P(
    PointLines, ParseCassLineTable,
    ::testing::Values(CassCase{"A,B,1,2,3", 4, {"A", "B", 1, 2, 3}},
                      CassCase{"PT1,TREE,2345.678,1234.567,12.345",
                               4,
                               {"PT1", "TREE", 2345.678, 1234.567, 12.345}},
                      CassCase{"  P 7 , K 9 ,1,2,3", 4, {"P", "K", 1, 2, 3}},
                      CassCase{",,x,,7e2", 4, {"", "", 0, 0, 700}},
                      CassCase{"P,C,1,2,3\r", 4, {"P", "C", 1, 2, 3}},
                      CassCase{"P,C,1,2,-3.5\r\r", 4, {"P", "C", 1, 2, -3.5}},
                      CassCase{"\tP,C,1,2,3", 4, {"\tP", "C", 1, 2, 3}},
                      CassCase{"P\tQ,C\r,1,2,3", 4, {"P\tQ", "C\r", 1, 2, 3}},
                      CassCase{"P,C, \t-1.5m, +2e1 x,\r\n3", 4, {"P", "C", -1.5, 20, 3}},
                      CassCase{"P,C,1.2.3,0x1A,inf", 4, {"P", "C", 1.2, 0, 0}},
                      CassCase{"\xe9t\xe9,\x01\xff,1,2,3", 4, {"\xe9t\xe9", "\x01\xff", 1, 2, 3}}));

TEST(ParseCassLine, NamesAndCodesHaveNoLengthLimit) {
    const std::string name(5000, 'N');
    const std::string code(3000, 'C');
    CassPoint point;
    ASSERT_EQ(ParseCassLine(name + "," + code + ",1,2,3", point), 4);
    EXPECT_EQ(point.name, name);
    EXPECT_EQ(point.code, code);
    EXPECT_DOUBLE_EQ(point.height, 3);
}

TEST(ParseCassLine, BytesAfterANulAreStillPartOfTheLine) {
    const std::string line("P\0Q,C,1,2,3", 11);
    CassPoint point;
    ASSERT_EQ(ParseCassLine(line, point), 4);
    EXPECT_EQ(point.name, std::string("P\0Q", 3));
}

}  // namespace
}  // namespace halvex
