#include <gtest/gtest.h>

#include <string>

#include "convert/TamselCassConversion.h"

namespace halvex {
namespace {

// One downloaded line: STX, the 128-byte block (content filled with blanks), then the end of the
// record as an instrument sends it.
std::string DataLine(std::string content, const std::string& end =
                                              "\x03"
                                              "042\r\n") {
    content.resize(128, ' ');
    return "\x02" + content + end;
}

const std::string kEntryP1 = "_+P1        _ x+000200250_ y+000100500_ z-000003100";
const std::string kLineP1 = "P1        ,P1        ,100.500,200.250,-3.100\r\n";

struct TamselCase {
    std::string title;
    std::string text;
    std::string output;
    bool produced;
    bool wrongFormat;
};

class TamselCassTable : public ::testing::TestWithParam<TamselCase> {};

TEST_P(TamselCassTable, Converts) {
    const TamselCase& c = GetParam();
    const ConversionResult result = ConvertTamselToCass(c.text);
    EXPECT_EQ(result.output, c.output);
    EXPECT_EQ(result.produced, c.produced);
    EXPECT_EQ(result.wrongFormat, c.wrongFormat);
}

std::string SplitGroup() {
    // The y field starts at column 126 of the first line and ends at column 7 of the next.
    std::string first = "_+P2" + std::string(4, ' ') + "_ x+000001000";
    first.resize(126, ' ');
    first += "_ ";
    const std::string second = "y+00002000_ z+000003000_";
    return DataLine(first, "\x03xyz\r\n") + DataLine(second);
}

std::string ExactlyCrLength() {
    // 127 bytes and CR LF: the CR is the 128th byte and joins the last field.
    std::string content = kEntryP1 + "_";
    content.resize(127, ' ');
    return content + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Downloads, TamselCassTable,
    ::testing::Values(
        TamselCase{"EmptyText", "", "", false, false},
        TamselCase{"OneEntry", DataLine(kEntryP1 + "_"), kLineP1, true, false},
        TamselCase{"HeaderWithLettersIsPassedOver", "title xyz\r\n" + DataLine(kEntryP1 + "_"),
                   kLineP1, true, false},
        TamselCase{"HeaderWithoutZ", "title xy\r\n" + DataLine(kEntryP1 + "_"), "", false, true},
        TamselCase{"UpperCaseLettersDoNotCount", "XYZ\r\n" + DataLine(kEntryP1 + "_"), "", false,
                   true},
        TamselCase{"EachLineIsTestedUntilAFieldIsRead", "xyz\r\nabc\r\n" + DataLine(kEntryP1 + "_"),
                   "", false, true},
        TamselCase{"DataLineWithoutFieldIsStillTested",
                   "xyz\r\n" + DataLine("no fields xyz") + "plain\r\n" + DataLine(kEntryP1 + "_"),
                   "", false, true},
        TamselCase{"LinesAfterTheFirstFieldAreNotTested",
                   DataLine([] {
                       std::string content = "_+A_ x1000_ y2000_ z3000";
                       content.resize(125, ' ');
                       return content + "_+B";
                   }()) +
                       "plain\r\n" + DataLine("_ x1_ y2_ z3_"),
                   "A,A,2.000,1.000,3.000\r\nB,B,0.002,0.001,0.003\r\n", true, false},
        TamselCase{"GroupSplitAcrossLines", SplitGroup(), "P2    ,P2    ,2.000,1.000,3.000\r\n",
                   true, false},
        TamselCase{"BytesAfter128AreIgnored",
                   [] {
                       std::string content = kEntryP1 + "_";
                       content.resize(128, ' ');
                       return content + "_+JUNK_ x1_ y2_ z3_\r\n";
                   }(),
                   kLineP1, true, false},
        TamselCase{"ShortLinesCarryNoData", kEntryP1 + "_\r\n", "", false, false},
        TamselCase{"A127ByteLineWithCrIsFed", ExactlyCrLength(), kLineP1, true, false},
        TamselCase{"A127ByteLineWithoutCrIsNot", ExactlyCrLength().substr(0, 127) + "\n", "", false,
                   false},
        TamselCase{"EmptyLinesBetweenDataLines",
                   DataLine("_+A_ x1000_ y2000", "xyz\r\r\n\r\n\n") + DataLine("_ z3000_"),
                   "A,A,2.000,1.000,3.000\r\n", true, false},
        TamselCase{"StxInsideTheBlockIsRemovedFirst",
                   "\x02_+P\x02"
                   "1_ x+0\x02"
                   "001000_ y2000_ z3000_" +
                       std::string(128, ' ') + "\r\n",
                   "P1,P1,2.000,1.000,3.000\r\n", true, false},
        TamselCase{"IncompleteGroupIsDropped", DataLine(kEntryP1 + "_+P9_ x1_ y2_"), kLineP1, true,
                   false},
        TamselCase{"OnlyAnIncompleteGroup", DataLine("_+P9_ x+000200250_xyz"), "", false, false},
        TamselCase{"ClosingUnderscoreGivesNoField", DataLine("_+A_ x1_ y2_ z3_"),
                   "A,A,0.002,0.001,0.003\r\n", true, false},
        TamselCase{"OnlyOnePlusIsDropped", DataLine("_++P_ x1_ y2_ z3_"),
                   "+P,+P,0.002,0.001,0.003\r\n", true, false},
        TamselCase{"PositionsNotLettersDecide", DataLine("_N_ z5_ x6_ y7_"),
                   "N,N,0.006,0.005,0.007\r\n", true, false},
        TamselCase{"ValuesWithoutDigits", DataLine("_N_ xabc_ y_ z-.e5_"),
                   "N,N,0.000,0.000,0.000\r\n", true, false},
        TamselCase{"ShortValueFieldsGiveZero", DataLine("_N__7_ y-5_", "xyz\r\n"),
                   "N,N,0.000,0.000,-0.005\r\n", true, false},
        TamselCase{"ExactHalvesRoundAwayFromZero", DataLine("_N_ x62.5_ y-62.5_ z0.5_"),
                   "N,N,-0.063,0.063,0.001\r\n", true, false},
        TamselCase{"LfAtTheStartScansNothing", "\n" + DataLine(kEntryP1 + "_"), "", false, false},
        TamselCase{"NoLfScansNothing", DataLine(kEntryP1 + "_", ""), "", false, false}),
    [](const auto& info) { return info.param.title; });

TEST(ConvertTamselToCass, NamesLongerThanALineAreKeptWhole) {
    std::string text = DataLine("_+" + std::string(126, 'N'), "xyz\r\n");
    text += DataLine(std::string(128, 'M'), "xyz\r\n");
    text += DataLine("_ x1_ y2_ z3_ xyz");
    const ConversionResult result = ConvertTamselToCass(text);
    const std::string name = std::string(126, 'N') + std::string(128, 'M');
    EXPECT_EQ(result.output, name + "," + name + ",0.002,0.001,0.003\r\n");
}

TEST(ConvertTamselToCass, ManyGroupsInALongStream) {
    std::string stream;
    for (int i = 0; i < 3000; ++i)
        stream += "_+P" + std::to_string(i) + "_ x" + std::to_string(i) + "_ y-1_ z0";
    stream += "_";
    std::string text = "xyz\r\n";
    for (std::size_t pos = 0; pos < stream.size(); pos += 128)
        text += DataLine(stream.substr(pos, 128));
    const ConversionResult result = ConvertTamselToCass(text);
    ASSERT_TRUE(result.produced);
    EXPECT_EQ(std::count(result.output.begin(), result.output.end(), '\n'), 3000);
    EXPECT_NE(result.output.find("\r\nP2999,P2999,-0.001,2.999,0.000\r\n"), std::string::npos);
}

}  // namespace
}  // namespace halvex
