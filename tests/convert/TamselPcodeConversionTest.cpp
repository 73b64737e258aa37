#include <gtest/gtest.h>

#include <string>

#include "convert/TamselPcodeConversion.h"

namespace halvex {
namespace {

// One downloaded code-list line: STX, the 128-byte block, the record end.
std::string DataLine(std::string content, const std::string& end =
                                              "\x03"
                                              "7:1\r\n") {
    content.resize(128, ' ');
    return "\x02" + content + end;
}

struct PcodeCase {
    std::string title;
    std::string text;
    std::string output;
};

class PcodeTable : public ::testing::TestWithParam<PcodeCase> {};

TEST_P(PcodeTable, Converts) {
    const ConversionResult result = ConvertTamselPcode(GetParam().text);
    EXPECT_EQ(result.output, GetParam().output);
    EXPECT_EQ(result.produced, !GetParam().output.empty());
    EXPECT_FALSE(result.wrongFormat);
}

std::string SplitEntry() {
    std::string first = "_:001TREE      _:00";
    first = std::string(128 - first.size(), ' ') + first;
    first.front() = '_';
    return DataLine(first) + DataLine("2BUSH      _");
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, PcodeTable,
    ::testing::Values(
        PcodeCase{"EmptyText", "", ""},
        PcodeCase{"Entry", DataLine("_:001TREE      _"), "1,TREE      \r\n"},
        PcodeCase{"ShortestEntry", DataLine("_:0012_"), "1,2\r\n"},
        PcodeCase{"TooShort", DataLine("_:001_:01_:_"), ""},
        PcodeCase{"TextBeforeTheColonIsIgnored", DataLine("_ab:012X_"), "12,X\r\n"},
        PcodeCase{"NumberStopsAtANonDigit", DataLine("_:1a2B_:ABCD_"), "1,B\r\n0,D\r\n"},
        PcodeCase{"SignAndWhiteSpaceInTheNumber", DataLine("_: -5X_:+12Y_:\t7 Z_"),
                  "-5,X\r\n12,Y\r\n7,Z\r\n"},
        PcodeCase{"FurtherColonStaysInTheText", DataLine("_:001A:B_"), "1,A:B\r\n"},
        PcodeCase{"EntrySplitBetweenLines", SplitEntry(), "1,TREE      \r\n2,BUSH      \r\n"},
        PcodeCase{"LinesWithoutColonAreNotFed",
                  DataLine("_:001AB", "\r\n") + DataLine("CD" + std::string(126, 'x'), "\r\n") +
                      DataLine("EF_", ":\r\n"),
                  "1,AB" + std::string(121, ' ') + "EF\r\n"},
        PcodeCase{"ShortLinesAreNotFed", "_:001SHORT_\r\n" + DataLine("_:002LONG_"), "2,LONG\r\n"},
        PcodeCase{"ColonAfter128StillLetsTheLineIn",
                  std::string(1, '_') + ":001A_" + std::string(122, ' ') + ":\r\n", "1,A\r\n"},
        PcodeCase{"ClosingUnderscoreAndBlanksGiveNothing", DataLine("_:001A_    "), "1,A\r\n"},
        PcodeCase{"FieldsWithoutColonAreSkipped", DataLine("_abc_:002B_def_"), "2,B\r\n"},
        PcodeCase{"StxIsRemoved",
                  "\x02_:0\x02"
                  "03C\x02_" +
                      std::string(128, ' ') + ":\r\n",
                  "3,C\r\n"},
        PcodeCase{"LfAtTheStartScansNothing", "\n" + DataLine("_:001A_"), ""},
        PcodeCase{"NoLfScansNothing", DataLine("_:001A_", ":"), ""}),
    [](const auto& info) { return info.param.title; });

TEST(ConvertTamselPcode, LongCodeTextsAreKeptWhole) {
    const std::string text = DataLine("_:009" + std::string(123, 'T')) + DataLine("TT_");
    EXPECT_EQ(ConvertTamselPcode(text).output, "9," + std::string(125, 'T') + "\r\n");
}

}  // namespace
}  // namespace halvex
