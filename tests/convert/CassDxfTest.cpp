#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "DataFile.h"
#include "convert/CassDxf.h"

namespace halvex {
namespace {

using testing::ReadDataFile;

constexpr std::size_t kHeadBytes = 1429;
constexpr std::size_t kPointLines = 28;

// The lines of the drawing after the head, each without its CR LF; fails on a bare LF or CR.
std::vector<std::string> BodyLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = kHeadBytes;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) break;
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    EXPECT_EQ(start, bytes.size()) << "drawing does not end in CR LF";
    return lines;
}

TEST(CassDxf, HeadHas225LinesAnd1429Bytes) {
    const std::string& head = DxfHead();
    EXPECT_EQ(head.size(), kHeadBytes);
    EXPECT_EQ(std::count(head.begin(), head.end(), '\n'), 225);
    EXPECT_EQ(std::count(head.begin(), head.end(), '\r'), 225);
    EXPECT_EQ(head, ReadDataFile("empty.dxf").substr(0, kHeadBytes));
}

TEST(CassDxf, EmptyTextGivesTheHandWrittenEmptyDrawing) {
    const DxfDrawing drawing = BuildCassDxf("");
    EXPECT_EQ(drawing.points, 0);
    EXPECT_EQ(drawing.bytes.size(), 1446u);
    EXPECT_EQ(drawing.bytes, ReadDataFile("empty.dxf"));
}

TEST(CassDxf, PointsGiveTheHandWrittenDrawing) {
    const DxfDrawing drawing = BuildCassDxf(ReadDataFile("two_points.txt"));
    EXPECT_EQ(drawing.points, 2);
    EXPECT_EQ(drawing.bytes, ReadDataFile("two_points.dxf"));
}

struct DxfCase {
    std::string title;
    std::string text;
    std::vector<std::vector<std::string>> points;  // lines 7, 9, 11, 17, 19, 21, 25 of each block
};

class CassDxfTable : public ::testing::TestWithParam<DxfCase> {};

TEST_P(CassDxfTable, WritesOneBlockPerPointLine) {
    const DxfDrawing drawing = BuildCassDxf(GetParam().text);
    const std::vector<std::string> lines = BodyLines(drawing.bytes);
    const auto& points = GetParam().points;
    ASSERT_EQ(drawing.points, static_cast<int>(points.size()));
    ASSERT_EQ(lines.size(), points.size() * kPointLines + 3);
    for (std::size_t p = 0; p < points.size(); ++p) {
        const auto block = lines.begin() + static_cast<std::ptrdiff_t>(p * kPointLines);
        EXPECT_EQ(block[0], "POINT");
        EXPECT_EQ(block[2], "20");
        EXPECT_EQ(block[27], " 0");
        const std::vector<std::string> picked{block[6],  block[8],  block[10], block[16],
                                              block[18], block[20], block[24]};
        EXPECT_EQ(picked, points[p]) << "point " << p;
    }
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
              (std::vector<std::string>{"ENDSEC", " 0", "EOF"}));
}

INSTANTIATE_TEST_SUITE_P(
    Exports, CassDxfTable,
    ::testing::Values(DxfCase{"OnePoint",
                              "PT1,TREE,2345.678,1234.567,12.345\r\n",
                              {{"2345.678", "1234.567", "12.345", "2346.678000", "1235.567000",
                                "12.345000", "PT1 TREE 12.345"}}},
                      DxfCase{"NoFinalCrLf", "PT1,TREE,2345.678,1234.567,12.345", {}},
                      DxfCase{"EmptyLineEndsTheScan",
                              "A\r\nP1,C,1,2,3\r\n\r\nP2,C,4,5,6\r\n",
                              {{"1", "2", "3", "2.000000", "3.000000", "3.000000", "P1 C 3.000"}}},
                      DxfCase{"BlanksAroundWords",
                              "  P1 ,  C D ,  1 , 2 ,3 \r\n",
                              {{"1", "2", "3", "2.000000", "3.000000", "3.000000", "P1 C 3.000"}}},
                      DxfCase{"LineWithACoordinateThatIsNoNumberIsLeftOut",
                              "P,C,1,x,2\r\nQ,C,4,5,6\r\nR,C,1,2,1e999\r\n",
                              {{"4", "5", "6", "5.000000", "6.000000", "6.000000", "Q C 6.000"}}},
                      DxfCase{"NumberIsWrittenWithoutTheWhiteSpaceAroundIt",
                              "P,C,\t 1\t,2,3\r\n",
                              {{"1", "2", "3", "2.000000", "3.000000", "3.000000", "P C 3.000"}}},
                      DxfCase{
                          "OtherCommaCountsAreSkipped",
                          "A,B,1,2\r\nA,B,1,2,3,4\r\nQ,,-1,-2,-3\r\n",
                          {{"-1", "-2", "-3", "0.000000", "-1.000000", "-3.000000", "Q  -3.000"}}},
                      DxfCase{"RoundingOfComputedValues",
                              "H,C,0.0000005,-1.0000005,0.0625\r\n",
                              {{"0.0000005", "-1.0000005", "0.0625", "1.000001", "-0.000001",
                                "0.062500", "H C 0.063"}}},
                      DxfCase{"LfOnlyText", "P,C,1,2,3\nP,C,1,2,3\n", {}},
                      DxfCase{"TwoPoints",
                              "P1,C,1,2,3\r\nP2,D,4,5,6\r\n",
                              {{"1", "2", "3", "2.000000", "3.000000", "3.000000", "P1 C 3.000"},
                               {"4", "5", "6", "5.000000", "6.000000", "6.000000", "P2 D 6.000"}}},
                      DxfCase{"CrStaysInAWordThatEndsAtLf",
                              "P,C,1,2,3\r\r\n",
                              {{"1", "2", "3", "2.000000", "3.000000", "3.000000", "P C 3.000"}}}),
    [](const auto& info) { return info.param.title; });

TEST(CassDxf, NamesTheFirstLinesLeftOutAndCountsTheRest) {
    std::string text = "TITLE\r\r\nP,C,1,2,3\r\n";  // CR CR LF: two editor lines
    for (int i = 0; i < 7; ++i) text += "B,C,1,2,h\r\n";
    const DxfDrawing drawing = BuildCassDxf(text);
    std::string expected = "7 point lines were left out of the drawing:";
    for (int line = 4; line <= 8; ++line)
        expected += "\nLine " + std::to_string(line) + ": the height \"h\" is not a number.";
    EXPECT_EQ(drawing.points, 1);
    EXPECT_EQ(DescribeLeftOutLines(drawing), expected + "\n... and 2 more.");
    EXPECT_EQ(DescribeLeftOutLines(BuildCassDxf("P,C,1,2,3\r\n")), "");
}

TEST(CassDxf, WordsBeyondTheNominalLimitsAreWrittenWhole) {
    const std::string name(300, 'N');
    const std::string code(300, 'C');
    const std::string digits = "1" + std::string(100, '0');
    const DxfDrawing drawing = BuildCassDxf(name + "," + code + "," + digits + ",2,3\r\n");
    const std::vector<std::string> lines = BodyLines(drawing.bytes);
    ASSERT_EQ(lines.size(), kPointLines + 3);
    EXPECT_EQ(lines[6], digits);
    char printed[512];
    std::snprintf(printed, sizeof printed, "%f", 1e100 + 1.0);
    EXPECT_EQ(lines[16], printed);
    EXPECT_EQ(lines[24], name + " " + code + " 3.000");
}

}  // namespace
}  // namespace halvex
