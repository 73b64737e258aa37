#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DataFile.h"
#include "convert/CassDxf.h"
#include "convert/CassPointScan.h"
#include "convert/CassPointWords.h"
#include "convert/NumberReader.h"

namespace halvex {
namespace {

constexpr std::size_t kHeadBytes = 1429;
constexpr std::size_t kBlockLines = 28;

// The X and Y words (lines 7 and 9) of every point block of a drawing, in order.
std::vector<std::pair<std::string, std::string>> DrawingXy(const std::string& drawing) {
    std::vector<std::string> lines;
    for (std::size_t start = kHeadBytes, end;
         (end = drawing.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(drawing.substr(start, end - start));
    std::vector<std::pair<std::string, std::string>> xy;
    for (std::size_t block = 0; block + kBlockLines <= lines.size(); block += kBlockLines)
        xy.emplace_back(lines[block + 6], lines[block + 8]);
    return xy;
}

// The plot and the export find the same point lines: the export leaves out exactly the lines the
// plot skips, and writes the others, in order, at the values the plot draws them.
void ExpectAgreementWithDxfExport(const std::string& text) {
    SCOPED_TRACE(text);
    const DxfDrawing drawing = BuildCassDxf(text);
    const auto exported = DrawingXy(drawing.bytes);
    const CassPointScan scan = ScanCassPoints(text);
    ASSERT_EQ(scan.skipped.size(), drawing.leftOutCount);
    ASSERT_EQ(scan.points.size(), exported.size());
    for (std::size_t i = 0; i < exported.size(); ++i) {
        EXPECT_EQ(scan.points[i].east, ReadNumber(exported[i].first));
        EXPECT_EQ(scan.points[i].north, ReadNumber(exported[i].second));
    }
}

TEST(CassPointScan, FindsThePointLinesTheDxfExportWrites) {
    const std::string texts[] = {
        testing::ReadDataFile("two_points.txt"),
        "PT1,TREE,2345.678,1234.567,12.345\r\n",
        "PT1,TREE,2345.678,1234.567,12.345",
        "A\r\nP1,C,1,2,3\r\n\r\nP2,C,4,5,6\r\n",
        "  P1 ,  C D ,  1 , 2 ,3 \r\n",
        "A,B,1,2\r\nA,B,1,2,3,4\r\nQ,,-1,-2,-3\r\n",
        "P,C,1,2,3\nP,C,1,2,3\n",
        "P,C,1,2,3\r\r\nQ,C,1e2,-.5,x\r\rR,C,+7,8m,9\r\n",
        "N,C,x,2,3\r\nM,C,1,inf,3\r\nL,C,,,\r\nK,C,1e999,1,1\r\nJ,C,-,1,1\r\nI,C,5,6,7\r\n",
        "\r\nP,C,1,2,3\r\n",
        "P,C,\t1,2,3\r\n",
    };
    for (const std::string& text : texts) ExpectAgreementWithDxfExport(text);
}

TEST(CassPointScan, ListsPointLinesWithACoordinateThatIsNotANumber) {
    const std::string text =
        "TITLE\r\n"
        "A,C,x,2,3\r\n"
        "B,C,1,inf,3\r\n"
        "C,C,,,\r\n"
        "D,C,1e999,1,1\r\n"
        "E,C,5,6,no height\r\n"
        "F,C,-,1,1\r\n"
        "G,C,0x1A,7,1\r\n";
    const CassPointScan scan = ScanCassPoints(text);
    // C's blank fields read as 0.
    ASSERT_EQ(scan.points.size(), 1u);
    EXPECT_EQ(scan.points[0].east, 0);
    EXPECT_EQ(scan.points[0].north, 0);
    struct Expected {
        std::size_t editorLine;
        bool east;
        bool north;
        bool height;
    };
    const std::vector<Expected> expected = {{2, false, true, true}, {3, true, false, true},
                                            {5, false, true, true}, {6, true, true, false},
                                            {7, false, true, true}, {8, false, true, true}};
    ASSERT_EQ(scan.skipped.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(scan.skipped[i].editorLine, expected[i].editorLine) << i;
        EXPECT_EQ(scan.skipped[i].eastIsNumber, expected[i].east) << i;
        EXPECT_EQ(scan.skipped[i].northIsNumber, expected[i].north) << i;
        EXPECT_EQ(scan.skipped[i].heightIsNumber, expected[i].height) << i;
    }
    EXPECT_EQ(scan.end, ScanEnd::Complete);
}

TEST(CassPointScan, NumbersLinesAsTheEditorBreaksThem) {
    // CR CR is two editor lines but one step of the scan; a lone LF inside a line breaks it too.
    const CassPointScan scan = ScanCassPoints("A\r\rB\nC\r\nP,C,x,1,1\r\n");
    ASSERT_EQ(scan.skipped.size(), 1u);
    EXPECT_EQ(scan.skipped[0].editorLine, 5u);
}

struct EndCase {
    std::string title;
    std::string text;
    ScanEnd end;
    std::size_t endLine;
    std::size_t points;
};

class CassPointScanEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(CassPointScanEnd, TellsWhereTheScanEnded) {
    const CassPointScan scan = ScanCassPoints(GetParam().text);
    EXPECT_EQ(scan.end, GetParam().end);
    EXPECT_EQ(scan.endLine, GetParam().endLine);
    EXPECT_EQ(scan.points.size(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, CassPointScanEnd,
    ::testing::Values(
        EndCase{"Empty", "", ScanEnd::Complete, 0, 0},
        EndCase{"AllRead", "P,C,1,2,3\r\nQ,C,1,2,3\r\n", ScanEnd::Complete, 0, 2},
        EndCase{"TrailingEmptyLinesLoseNothing", "P,C,1,2,3\r\n\r\n\r\n\n", ScanEnd::Complete, 0,
                1},
        EndCase{"EmptyLineBeforeMore", "P,C,1,2,3\r\n\r\nQ,C,1,2,3\r\n", ScanEnd::EmptyLine, 2, 1},
        EndCase{"EmptyFirstLine", "\r\nP,C,1,2,3\r\n", ScanEnd::EmptyLine, 1, 0},
        EndCase{"LastLineWithoutCr", "P,C,1,2,3\r\nQ,C,1,2,3", ScanEnd::UnendedText, 2, 1},
        EndCase{"LfOnlyText", "P,C,1,2,3\nQ,C,1,2,3\n", ScanEnd::UnendedText, 1, 0},
        EndCase{"UnreadTextAfterBlankLfLines", "P,C,1,2,3\r\r\n\nQ", ScanEnd::UnendedText, 4, 1}),
    [](const auto& info) { return info.param.title; });

}  // namespace
}  // namespace halvex
