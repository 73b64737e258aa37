#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "convert/BrennoConversion.h"

namespace halvex {
namespace {

// A line with each text written from its column on; the gaps are blanks.
std::string Columns(std::vector<std::pair<std::size_t, std::string>> pieces) {
    std::string line;
    for (const auto& [column, text] : pieces) {
        if (line.size() < column + text.size()) line.resize(column + text.size(), ' ');
        line.replace(column, text.size(), text);
    }
    return line;
}

// A number right-aligned so that it ends in the given column.
std::pair<std::size_t, std::string> EndingAt(std::size_t lastColumn, std::string number) {
    return {lastColumn + 1 - number.size(), std::move(number)};
}

const std::string kRecord08 = Columns({{0, "08TP"},
                                       {4, "01"},
                                       {6, "PT12"},
                                       EndingAt(35, "1234.567"),
                                       EndingAt(51, "2345.678"),
                                       EndingAt(67, "12.345"),
                                       {68, "TREE"}});
const std::string kRecord02 = Columns({{0, "02TP"},
                                       {6, "PT12"},
                                       EndingAt(35, "1234.567"),
                                       EndingAt(51, "2345.678"),
                                       EndingAt(67, "12.345"),
                                       {68, "NOTREAD"},
                                       {84, "TREE"}});

struct BrennoCase {
    std::string title;
    std::string text;
    std::string cass;  // east first
    std::string nez;   // north first
};

class BrennoTable : public ::testing::TestWithParam<BrennoCase> {};

TEST_P(BrennoTable, ConvertsInBothOrders) {
    const BrennoCase& c = GetParam();
    const ConversionResult cass = ConvertBrennoToCass(c.text);
    const ConversionResult nez = ConvertBrennoToNez(c.text);
    EXPECT_EQ(cass.output, c.cass);
    EXPECT_EQ(nez.output, c.nez);
    EXPECT_EQ(cass.produced, !c.cass.empty());
    EXPECT_EQ(nez.produced, !c.nez.empty());
    EXPECT_FALSE(cass.wrongFormat || nez.wrongFormat);
}

INSTANTIATE_TEST_SUITE_P(
    Records, BrennoTable,
    ::testing::Values(
        BrennoCase{"Record08", kRecord08 + "\r\n", "PT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\n"},
        BrennoCase{"Record02ReadsItsCodeAt84", kRecord02 + "\r\n",
                   "PT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\n"},
        BrennoCase{"TagOnly", "08TP\r\n", ",,0.000,0.000,0.000\r\n", ",,0.000,0.000,0.000\r\n"},
        BrennoCase{"LowerCaseTag", Columns({{0, "02tp"}, {6, "A"}, {20, "1"}}) + "\r\n",
                   "A,,0.000,1.000,0.000\r\n", "A,,1.000,0.000,0.000\r\n"},
        BrennoCase{"MixedCaseTag", "08tP  A\r\n", "A,,0.000,0.000,0.000\r\n",
                   "A,,0.000,0.000,0.000\r\n"},
        BrennoCase{"OtherLinesArePassedOver",
                   "08TQ  X\r\n 08TP  Y\r\nTITLE\r\n18TP  Z\r\n" + kRecord08 + "\r\n",
                   "PT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\n"},
        BrennoCase{"LongNameIsCutAndRunsIntoNorth",
                   Columns({{0, "08TP"}, {6, "ABCDEFGHIJKLMN77"}, EndingAt(51, "5")}) + "\r\n",
                   "ABCDEFGHIJKLMN,,5.000,77.000,0.000\r\n",
                   "ABCDEFGHIJKLMN,,77.000,5.000,0.000\r\n"},
        BrennoCase{"NameWordEndsAtInnerBlank", Columns({{0, "08TP"}, {8, "P 9"}}) + "\r\n",
                   "P,,0.000,0.000,0.000\r\n", "P,,0.000,0.000,0.000\r\n"},
        BrennoCase{"NumberRunsIntoTheNextField",
                   Columns({{0, "08TP"}, {6, "P"}, {20, "1234567890123456"}, {36, "7.5"}}) + "\r\n",
                   "P,,7.500,12345678901234568.000,0.000\r\n",
                   "P,,12345678901234568.000,7.500,0.000\r\n"},
        BrennoCase{"BlankLineEndsTheScan", kRecord08 + "\r\n\r\n" + kRecord02 + "\r\n",
                   "PT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\n"},
        BrennoCase{"BlankLineBeforeAnyRecord", "HEAD\r\n\r\n" + kRecord08 + "\r\n", "", ""},
        BrennoCase{"LastRecordNeedsACr", kRecord08 + "\r\n08TP  LAST",
                   "PT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\n"},
        BrennoCase{"LfOnlyTextFails", kRecord08 + "\n" + kRecord08 + "\n", "", ""},
        BrennoCase{"TextStartingWithCrFails", "\r" + kRecord08 + "\r\n", "", ""},
        BrennoCase{"CodeRunsPastTheRecordLength",
                   Columns({{0, "08TP"}, {6, "P"}, {80, "LONGCODE1234 X"}}) + "\r\n",
                   "P,LONGCODE1234,0.000,0.000,0.000\r\n", "P,LONGCODE1234,0.000,0.000,0.000\r\n"},
        BrennoCase{
            "ExactHalvesAndNegativeZero",
            Columns({{0, "08TP"}, {6, "P"}, {20, "0.0625"}, {36, "-2.0625"}, {52, "-0.0001"}}) +
                "\r\n",
            "P,,-2.063,0.063,-0.000\r\n", "P,,0.063,-2.063,-0.000\r\n"},
        BrennoCase{"CrCrSkipsOneCr", kRecord08 + "\r\r" + kRecord08 + "\r\n",
                   "PT12,TREE,2345.678,1234.567,12.345\r\nPT12,TREE,2345.678,1234.567,12.345\r\n",
                   "PT12,TREE,1234.567,2345.678,12.345\r\nPT12,TREE,1234.567,2345.678,12.345\r\n"}),
    [](const auto& info) { return info.param.title; });

TEST(ConvertBrennoPoints, ShortRecordIsFilledWithoutReadingPastTheLine) {
    // "08TP" then a name cut short by the CR: the blanks that fill the record must not let the
    // reading of a number or the code reach into the next line.
    const ConversionResult result = ConvertBrennoToCass("08TP  AB\r\n99999999999999999999\r\n");
    EXPECT_EQ(result.output, "AB,,0.000,0.000,0.000\r\n");
}

TEST(ConvertBrennoPoints, LongCodesAreCopiedWhole) {
    const std::string code(300, 'C');
    const ConversionResult result =
        ConvertBrennoToCass("02TP" + std::string(80, ' ') + code + "\r\n");
    EXPECT_EQ(result.output, "," + code + ",0.000,0.000,0.000\r\n");
}

TEST(ConvertBrennoPoints, ManyRecords) {
    std::string text;
    for (int i = 0; i < 2000; ++i) text += kRecord02 + "\r\n";
    const ConversionResult result = ConvertBrennoToNez(text);
    std::string expected;
    for (int i = 0; i < 2000; ++i) expected += "PT12,TREE,1234.567,2345.678,12.345\r\n";
    EXPECT_EQ(result.output, expected);
}

}  // namespace
}  // namespace halvex
